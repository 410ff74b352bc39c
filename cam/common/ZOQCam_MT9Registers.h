/* The register set that the MT9T001 and MT9M001 share with the MT9P031:
 * window, blanking, shutter, read modes, address modes and the gain block
 * of four colour gains and a global gain that the chip copies into them. */
#ifndef ZOQCAM_MT9REGISTERS_H
#define ZOQCAM_MT9REGISTERS_H

#include "ZOQCam_SensorLayout.h"

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
};

// Writing the global gain sets the four colour gains.
constexpr ZOQGainMirror kGainMirror = {
    REG_GAIN_GLOBAL, {REG_GAIN_GREEN1, REG_GAIN_BLUE, REG_GAIN_RED, REG_GAIN_GREEN2}};

}  // namespace mt9

#endif
