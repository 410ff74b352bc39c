/* Float-to-integer conversions used by the register arithmetic. A plain
 * cast of a value outside the target's range is undefined, so these
 * saturate first and then truncate toward zero. */
#ifndef ZOQCAM_CONVERT_H
#define ZOQCAM_CONVERT_H

namespace zoqplugin {

// Truncated toward zero; NaN and values below 0 give 0, values at or above
// 2^32 give 0xFFFFFFFF.
inline unsigned int TruncToUInt(float value) {
    if (!(value > 0.0f)) return 0;
    if (value >= 4294967296.0f) return 0xFFFFFFFFu;
    return static_cast<unsigned int>(value);
}

// Truncated toward zero to an integer (saturated to the 32-bit range, NaN
// as 0), then kept to its low 16 bits: the register holds value mod 65536.
inline unsigned short TruncToU16(float value) {
    int whole;
    if (!(value == value))
        whole = 0;
    else if (value >= 2147483648.0f)
        whole = 0x7FFFFFFF;
    else if (value < -2147483648.0f)
        whole = -0x7FFFFFFF - 1;
    else
        whole = static_cast<int>(value);
    return static_cast<unsigned short>(static_cast<unsigned int>(whole) & 0xFFFFu);
}

}  // namespace zoqplugin

#endif
