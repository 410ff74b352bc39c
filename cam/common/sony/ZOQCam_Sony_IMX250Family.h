/* The register map that the IMX250, IMX264, IMX265 and IMX287 share: frame
 * length VMAX 528-530, line length HMAX 532-533, shutter start SHS 653-655,
 * frame count SVS 656-657, gain 1028-1029, window 1296-1303, flip and
 * mirror in 526, strobe pulse 628-630 (and, on the IMX287, the strobe
 * controls 550, 553 and 621). The members differ in array size, HMAX rule,
 * VMAX margin, the fixed part of the exposure and the strobe. */
#ifndef ZOQCAM_SONY_IMX250FAMILY_H
#define ZOQCAM_SONY_IMX250FAMILY_H

#include "sony/ZOQCam_Imp_Sony.h"

namespace imx250family {

enum : unsigned short {
    REG_ORIENTATION = 526,
    REG_VMAX = 528,
    REG_HMAX = 532,
    REG_STROBE_ENABLE = 550,
    REG_STROBE_MODE = 553,
    REG_STROBE_OUTPUT = 621,
    REG_PULSE = 628,
    REG_SHS = 653,
    REG_SVS = 656,
    REG_GAIN = 1028,
    REG_COLUMN_START = 1296,
    REG_ROW_START = 1298,
    REG_COLUMN_SIZE = 1300,
    REG_ROW_SIZE = 1302,
};

constexpr unsigned short kMaxGainIndex = 480;
constexpr unsigned int kVmaxMargin = 38;
constexpr float kOffsetLines = 0.15f;

// The mirrored registers, in reading order.
inline constexpr unsigned short kCachedRegisters[] = {
    532,  533,  528,  529,  530,  653,  654, 655, 656, 657, 1028, 1029, 1108, 1109, 1296, 1297,
    1298, 1299, 1300, 1301, 1302, 1303, 550, 553, 621, 624, 625,  626,  628,  629,  630,  526};

constexpr ZOQSonyPulseStrobe kNoPulseStrobe = {};
constexpr ZOQSonyPulseStrobe kPulseStrobe = {.enable = REG_STROBE_ENABLE,
                                             .mode = REG_STROBE_MODE,
                                             .output = REG_STROBE_OUTPUT,
                                             .modeCheck = 0x07};

// One member: its array size, its frame margin, the fixed part of its
// exposure (in lines) and its strobe.
constexpr ZOQSonyChip Member(ZOQFovLimits limits, unsigned int vmaxMargin = kVmaxMargin,
                             float offsetLines = kOffsetLines,
                             ZOQStrobe strobe = ZOQStrobe::NoEffect,
                             ZOQSonyPulseStrobe pulseStrobe = kNoPulseStrobe) {
    return ZOQSonyChip{
        .sensor =
            ZOQSonySensorLayout(ZOQCachedRegisters(kCachedRegisters), REG_ORIENTATION,
                                kMaxGainIndex, limits, ZOQFovAlign{0, 0}, strobe, &g_AWBMatrixA),
        .sony =
            {
                .vmax = {.first = REG_VMAX, .bytes = 3},
                .hmax = {.first = REG_HMAX, .bytes = 2},
                .shs = {.first = REG_SHS, .bytes = 3},
                .svs = {.first = REG_SVS, .bytes = 2},
                .svsLimit = 0xFFFF,
                .linesPerVmax = 65536,
                .offsetLines = offsetLines,
                .offsetMs = 0.0f,
                .vmaxMargin = vmaxMargin,
                .gain = {.first = REG_GAIN, .bytes = 2},
                .window =
                    ZOQSonyWindow16(REG_COLUMN_START, REG_ROW_START, REG_COLUMN_SIZE, REG_ROW_SIZE),
                .pulse = {.first = REG_PULSE, .bytes = 3},
                .strobe = pulseStrobe,
            },
    };
}

}  // namespace imx250family

#endif
