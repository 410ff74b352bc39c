/* The capability record: 19 bytes of per-model flags and small numbers that
 * gate every FPGA register and feature, and the declarative tables that each
 * plug-in supplies to fill it. */
#ifndef ZOQCAM_CAPABILITY_H
#define ZOQCAM_CAPABILITY_H

#include <cstddef>

// Position of a field in the record: byte * 8 + bit, lowest bit first.
enum ZOQ_CAPBIT : unsigned short {
    CAP_REG0_READ = 0 * 8 + 0,  // register 0 readable through the FPGA
    CAP_TRIGGER_MODE_1 = 0 * 8 + 1,
    CAP_TRIGGER_MODE_2 = 0 * 8 + 2,
    CAP_TRIGGER_MODE_3 = 0 * 8 + 3,
    CAP_LUT_SWITCH = 0 * 8 + 4,
    CAP_TRIGGER_METHOD_0 = 0 * 8 + 5,
    CAP_TRIGGER_METHOD_1 = 0 * 8 + 6,
    CAP_TRIGGER_METHOD_2 = 0 * 8 + 7,
    CAP_TRIGGER_METHOD_3 = 1 * 8 + 0,
    CAP_EMPTY_FRAME_BUFFER = 1 * 8 + 1,
    CAP_SENSITIVITY_MODE = 1 * 8 + 2,
    CAP_16BITS_TRANSFER = 1 * 8 + 3,
    CAP_BAD_PIXEL_CORRECTION = 1 * 8 + 4,
    CAP_TRIGGER_DELAY = 1 * 8 + 5,  // register 3 written through the FPGA
    CAP_REG3_READ = 1 * 8 + 6,
    CAP_REG8_WRITE = 1 * 8 + 7,  // multi-frame
    CAP_REG8_READ = 2 * 8 + 0,
    CAP_REG28_WRITE = 2 * 8 + 1,  // set fixed frame rate
    CAP_REG28_READ = 2 * 8 + 2,   // get fixed frame rate
    CAP_LUT_DOWNLOAD = 2 * 8 + 3,
    CAP_REG9_WRITE = 2 * 8 + 4,  // colour controls
    CAP_REG9_READ = 2 * 8 + 5,
    CAP_AWB_PRESETS = 2 * 8 + 6,
    CAP_NUMBER_27 = 2 * 8 + 7,  // 3 bits
    CAP_AWB_ONCE = 3 * 8 + 2,
    CAP_AWB_CONTINUOUS = 3 * 8 + 3,
    CAP_REG16_18_WRITE = 3 * 8 + 4,  // also needed to read either matrix
    CAP_REG16_18_READ = 3 * 8 + 5,
    CAP_CCM_PRESETS = 3 * 8 + 6,
    CAP_NUMBER_31 = 3 * 8 + 7,  // 3 bits
    CAP_REG19_27_WRITE = 4 * 8 + 4,
    CAP_REG19_27_READ = 4 * 8 + 5,
    CAP_REG4 = 4 * 8 + 6,
    CAP_REG29_30 = 4 * 8 + 7,
    CAP_REG31 = 5 * 8 + 0,
    CAP_REG33 = 5 * 8 + 1,
    CAP_GAMMA_LUT_SWITCH = 5 * 8 + 2,
    CAP_REG34 = 5 * 8 + 3,
    CAP_REG35_36 = 5 * 8 + 4,
    CAP_REG28_1US = 5 * 8 + 5,  // frame period in 1 us units instead of 50 us
    CAP_GAMMA_LUT_DOWNLOAD = 5 * 8 + 6,
    CAP_LUT_INPUT_BITS = 5 * 8 + 7,     // 4 bits
    CAP_REG0_WORKING_MODE = 8 * 8 + 0,  // register 0 carried by the working-mode service
    CAP_MODEL_FLAG_42 = 8 * 8 + 1,      // 42..45: bits 1..4
    CAP_EEPROM_WORKING_MODE = 8 * 8 + 5,
    CAP_EEPROM_SERIAL_DESC = 8 * 8 + 6,
    CAP_EEPROM_LUT_INFO = 8 * 8 + 7,
    CAP_MODEL_FLAG_49 = 9 * 8 + 0,
    CAP_EEPROM_WORKING_MODE_EX = 9 * 8 + 1,
    CAP_EEPROM_COLOR_MODE = 9 * 8 + 2,
    CAP_EEPROM_MATRICES = 9 * 8 + 3,
    CAP_FPGA_UNREADABLE = 9 * 8 + 5,
    CAP_REG128_READ = 9 * 8 + 6,
    CAP_REG241_READ = 9 * 8 + 7,
    CAP_QUERY54_SELECTOR = 12 * 8 + 0,  // 8 bits
    CAP_QUERY53_SELECTOR = 13 * 8 + 0,  // 3 bits
    CAP_EEPROM_TYPE = 13 * 8 + 7,       // 3 bits
    CAP_MONOCHROME = 16 * 8 + 0,
    CAP_DEFAULT_BAYER = 16 * 8 + 1,  // 2 bits
    CAP_MIRROR = 16 * 8 + 3,
    CAP_FLIP = 16 * 8 + 4,
    CAP_ADDRESSMODE_1 = 16 * 8 + 5,
    CAP_ADDRESSMODE_2 = 16 * 8 + 6,
    CAP_ADDRESSMODE_3 = 16 * 8 + 7,
    CAP_ADDRESSMODE_4 = 17 * 8 + 0,
    CAP_MODEL_FLAG_8 = 17 * 8 + 1,
    CAP_MODEL_FLAG_9 = 17 * 8 + 6,
    CAP_MODEL_FLAG_10 = 17 * 8 + 7,
};

struct ZOQCapabilityRecord {
    static constexpr std::size_t kBytes = 19;
    unsigned char byte[kBytes];

    bool Has(ZOQ_CAPBIT bit) const { return (byte[bit >> 3] >> (bit & 7)) & 1; }
    // A field of `width` bits starting at `first`; fields may cross a byte.
    unsigned Field(unsigned first, unsigned width) const {
        unsigned value = 0;
        for (unsigned i = 0; i < width; ++i) {
            unsigned bit = first + i;
            value |= ((byte[bit >> 3] >> (bit & 7)) & 1u) << i;
        }
        return value;
    }
    void SetField(unsigned first, unsigned width, unsigned value) {
        for (unsigned i = 0; i < width; ++i) {
            unsigned bit = first + i;
            unsigned char mask = static_cast<unsigned char>(1u << (bit & 7));
            if ((value >> i) & 1u)
                byte[bit >> 3] |= mask;
            else
                byte[bit >> 3] &= static_cast<unsigned char>(~mask);
        }
    }
};

// A set of versions (firmware or FPGA): major and minor each within a range.
struct ZOQVersionMatch {
    bool used;
    unsigned char majorMin, majorMax, minorMin, minorMax;

    bool Matches(unsigned char major, unsigned char minor) const {
        return used && major >= majorMin && major <= majorMax && minor >= minorMin &&
               minor <= minorMax;
    }
};

// Version m.n.
constexpr ZOQVersionMatch Version(unsigned char major, unsigned char minor) {
    return ZOQVersionMatch{true, major, major, minor, minor};
}
// Version m.x: every minor of one major.
constexpr ZOQVersionMatch AnyMinor(unsigned char major) {
    return ZOQVersionMatch{true, major, major, 0, 0xFF};
}
// Major at least m, any minor.
constexpr ZOQVersionMatch MajorFrom(unsigned char major) {
    return ZOQVersionMatch{true, major, 0xFF, 0, 0xFF};
}
// Major at least m and, separately, minor at least n.
constexpr ZOQVersionMatch MajorAndMinorFrom(unsigned char major, unsigned char minor) {
    return ZOQVersionMatch{true, major, 0xFF, minor, 0xFF};
}
constexpr ZOQVersionMatch EveryVersion() {
    return ZOQVersionMatch{true, 0, 0xFF, 0, 0xFF};
}

// One firmware-dependent change of a base byte (8..18).
struct ZOQFirmwareOverride {
    ZOQVersionMatch firmware;
    unsigned char byte;
    unsigned char value;
};

// One row of the FPGA configuration: bytes 0..6 for the versions listed.
struct ZOQFpgaRow {
    static constexpr std::size_t kMaxVersions = 4;
    ZOQVersionMatch versions[kMaxVersions];  // unused entries stay zero
    unsigned char bytes[7];
    // Resulting byte 16 where the row changes the default Bayer mode; only
    // that field (bits 1-2) is taken from it. -1: keep the base default.
    int byte16 = -1;
};

// The two capability-configuration inputs of one plug-in.
struct ZOQCapabilityTable {
    static constexpr std::size_t kBaseFirst = 8;
    static constexpr std::size_t kBaseBytes = 11;  // bytes 8..18
    static constexpr std::size_t kMaxOverrides = 6;
    static constexpr std::size_t kMaxFpgaRows = 8;

    unsigned short deviceType;
    unsigned char base[kBaseBytes];
    float pixelClockMHz;
    // A firmware whose pixel clock differs from pixelClockMHz (unused when
    // altPixelClockMHz is 0).
    ZOQVersionMatch altPixelClockFirmware = {};
    float altPixelClockMHz = 0.0f;
    ZOQFirmwareOverride firmware[kMaxOverrides] = {};  // applied in order
    ZOQFpgaRow fpga[kMaxFpgaRows] = {};                // the first row that matches wins
};

// The capability tables of the shipped plug-ins, one per device type (two
// for type 115, which exists with two different sensors).
extern const ZOQCapabilityTable g_ZOQCapability_3;
extern const ZOQCapabilityTable g_ZOQCapability_36;
extern const ZOQCapabilityTable g_ZOQCapability_52;
extern const ZOQCapabilityTable g_ZOQCapability_53;
extern const ZOQCapabilityTable g_ZOQCapability_58;
extern const ZOQCapabilityTable g_ZOQCapability_59;
extern const ZOQCapabilityTable g_ZOQCapability_61;
extern const ZOQCapabilityTable g_ZOQCapability_62;
extern const ZOQCapabilityTable g_ZOQCapability_63;
extern const ZOQCapabilityTable g_ZOQCapability_67;
extern const ZOQCapabilityTable g_ZOQCapability_86;
extern const ZOQCapabilityTable g_ZOQCapability_87;
extern const ZOQCapabilityTable g_ZOQCapability_88;
extern const ZOQCapabilityTable g_ZOQCapability_89;
extern const ZOQCapabilityTable g_ZOQCapability_92;
extern const ZOQCapabilityTable g_ZOQCapability_93;
extern const ZOQCapabilityTable g_ZOQCapability_95;
extern const ZOQCapabilityTable g_ZOQCapability_104;
extern const ZOQCapabilityTable g_ZOQCapability_106;
extern const ZOQCapabilityTable g_ZOQCapability_107;
extern const ZOQCapabilityTable g_ZOQCapability_111;
extern const ZOQCapabilityTable g_ZOQCapability_114;
extern const ZOQCapabilityTable g_ZOQCapability_115_IMX290;
extern const ZOQCapabilityTable g_ZOQCapability_115_ISG1307;
extern const ZOQCapabilityTable g_ZOQCapability_120;

#endif
