/* MT9M031 register map as the sensor class uses it (16-bit registers at
 * 0x3000 and above). */
#ifndef ZOQCAM_MT9M031_REGISTERS_H
#define ZOQCAM_MT9M031_REGISTERS_H

namespace mt9m031 {

enum : unsigned short {
    REG_Y_START = 0x3002,
    REG_X_START = 0x3004,
    REG_Y_END = 0x3006,
    REG_X_END = 0x3008,
    REG_FRAME_LENGTH = 0x300A,
    REG_LINE_LENGTH = 0x300C,
    REG_COARSE_INTEGRATION = 0x3012,
    REG_FINE_INTEGRATION = 0x3014,
    REG_DIGITAL_BINNING = 0x3032,
    REG_READ_MODE = 0x3040,
    REG_FLASH = 0x3046,
    REG_GAIN_GREEN1 = 0x3056,
    REG_GAIN_BLUE = 0x3058,
    REG_GAIN_RED = 0x305A,
    REG_GAIN_GREEN2 = 0x305C,
    REG_GAIN_GLOBAL = 0x305E,
    REG_Y_ODD_INC = 0x30A6,
    REG_DIGITAL_TEST = 0x30B0,
};

enum : unsigned short {
    READ_MODE_MIRROR = 1u << 14,
    READ_MODE_FLIP = 1u << 15,
    FLASH_INVERT = 1u << 7,
    FLASH_ENABLE = 1u << 8,
    BINNING_FIELD = 0x03,
    BINNING_2X2 = 0x02,  // address mode 1
};

// Where the window's first column and row lie in the register coordinates.
constexpr unsigned int kColumnOffset = 2;
constexpr unsigned int kRowOffset = 4;

}  // namespace mt9m031

#endif
