/* The register set that the MT9T001 and MT9M001 share with the MT9P031:
 * window, blanking, shutter, read modes, address modes and the gain block
 * of four colour gains and a global gain that the chip copies into them;
 * and the layout pieces of the chips that use the register set alike. */
#ifndef ZOQCAM_MT9REGISTERS_H
#define ZOQCAM_MT9REGISTERS_H

#include "sensor/ZOQCam_SensorLayout.h"

namespace mt9 {

enum : unsigned short {
    REG_ROW_START = 0x01,
    REG_COLUMN_START = 0x02,
    REG_ROW_SIZE = 0x03,
    REG_COLUMN_SIZE = 0x04,
    REG_HORIZONTAL_BLANK = 0x05,
    REG_VERTICAL_BLANK = 0x06,
    REG_SHUTTER_UPPER = 0x08,
    REG_SHUTTER_LOWER = 0x09,
    REG_SHUTTER_DELAY = 0x0C,
    REG_READ_MODE_1 = 0x1E,
    REG_READ_MODE_2 = 0x20,
    REG_ROW_ADDRESS_MODE = 0x22,
    REG_COLUMN_ADDRESS_MODE = 0x23,
    REG_GAIN_GREEN1 = 0x2B,
    REG_GAIN_BLUE = 0x2C,
    REG_GAIN_RED = 0x2D,
    REG_GAIN_GREEN2 = 0x2E,
    REG_GAIN_GLOBAL = 0x35,
};

enum : unsigned short {
    READ_MODE_2_MIRROR = 1u << 14,
    READ_MODE_2_FLIP = 1u << 15,
    ADDRESS_SKIP_MASK = 0x07,  // bits 2:0 of the address-mode registers
    ADDRESS_BIN_SHIFT = 4,     // bits 5:4
    ADDRESS_BIN_MASK = 3,
    ADDRESS_MODE_FIELD = 0x37,  // the bin and skip bits together
};

// Writing the global gain sets the four colour gains.
constexpr ZOQGainMirror kGainMirror = {
    REG_GAIN_GLOBAL, {REG_GAIN_GREEN1, REG_GAIN_BLUE, REG_GAIN_RED, REG_GAIN_GREEN2}};

// The registers the MT9P031 and MT9T001 mirror, in reading order.
constexpr unsigned short kMirroredRegisters[] = {
    REG_COLUMN_START,     REG_ROW_START,           REG_COLUMN_SIZE,      REG_ROW_SIZE,
    REG_ROW_ADDRESS_MODE, REG_COLUMN_ADDRESS_MODE, REG_HORIZONTAL_BLANK, REG_VERTICAL_BLANK,
    REG_SHUTTER_DELAY,    REG_SHUTTER_LOWER,       REG_SHUTTER_UPPER,    REG_GAIN_RED,
    REG_GAIN_BLUE,        REG_GAIN_GREEN1,         REG_GAIN_GREEN2,      REG_READ_MODE_1,
    REG_READ_MODE_2,      REG_GAIN_GLOBAL};

// The row time of those two chips depends on these.
constexpr unsigned short kRowTimeRegisters[] = {REG_COLUMN_SIZE, REG_HORIZONTAL_BLANK,
                                                REG_SHUTTER_DELAY, REG_ROW_ADDRESS_MODE,
                                                REG_COLUMN_ADDRESS_MODE};

// Red, green 1 and 2, blue and global gain, as entries of a gain table.
constexpr ZOQGainLayout TableGains(const unsigned short* table, unsigned short entries) {
    return ZOQColourGains(REG_GAIN_RED, REG_GAIN_GREEN1, REG_GAIN_GREEN2, REG_GAIN_BLUE,
                          REG_GAIN_GLOBAL, ZOQTableGain(table, entries), kGainMirror);
}

// The exposure lines as the shutter width, upper half first.
constexpr ZOQLineLayout ShutterWidthLines(unsigned int maxLines) {
    return ZOQLineLayout{.part = {{REG_SHUTTER_UPPER, 16, 0xFFFF}, {REG_SHUTTER_LOWER, 0, 0xFFFF}},
                         .count = 2,
                         .minLines = 1,
                         .maxLines = maxLines};
}

// A window whose starts count from an origin of the active array and
// whose sizes are stored less one; read back through the masks.
constexpr ZOQWindowLayout OffsetWindow(ZOQFovLimits limits, int columnOffset, int rowOffset,
                                       unsigned short columnStartMask = 0xFFFF,
                                       unsigned short mask = 0xFFFF) {
    return ZOQWindowLayout{.limits = limits,
                           .align = {0, 0},
                           .field = {{REG_COLUMN_START, columnOffset, columnStartMask},
                                     {REG_ROW_START, rowOffset, mask},
                                     {REG_COLUMN_SIZE, -1, mask},
                                     {REG_ROW_SIZE, -1, mask}}};
}

// Address modes 0-4 in both address-mode registers: the bin and skip bits
// are replaced by codes[mode]; the mode reads back from the column skip
// field, where 1, 2, 3 and 7 mean modes 1 to 4 and any other value mode 0.
constexpr ZOQModeRegister SkipBinCodes(unsigned short reg, const short (&codes)[5]) {
    return ZOQModeRegister{
        reg, ADDRESS_MODE_FIELD, {codes[0], codes[1], codes[2], codes[3], codes[4]}};
}
constexpr ZOQAddressModeLayout SkipBinModes(const short (&codes)[5]) {
    return ZOQAddressModeLayout{
        .reg = {SkipBinCodes(REG_ROW_ADDRESS_MODE, codes),
                SkipBinCodes(REG_COLUMN_ADDRESS_MODE, codes)},
        .regCount = 2,
        .probe = {{REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 1, ZOQ_ADDRESSMODE_STEP2},
                  {REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 2, ZOQ_ADDRESSMODE_STEP3},
                  {REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 3, ZOQ_ADDRESSMODE_STEP4},
                  {REG_COLUMN_ADDRESS_MODE, ADDRESS_SKIP_MASK, 7, ZOQ_ADDRESSMODE_STEP8}},
        .probeCount = 4};
}

}  // namespace mt9

#endif
