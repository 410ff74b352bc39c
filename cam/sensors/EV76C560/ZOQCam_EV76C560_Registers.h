/* EV76C560 register map as the sensor class uses it (16-bit registers). */
#ifndef ZOQCAM_EV76C560_REGISTERS_H
#define ZOQCAM_EV76C560_REGISTERS_H

namespace ev76c560 {

enum : unsigned short {
    REG_LINE_LENGTH = 4,   // low 11 bits, in units of 8 clocks
    REG_ORIENTATION = 7,   // mirror, flip and strobe polarity
    REG_CLOCK_SELECT = 8,
    REG_PLL = 9,
    REG_STROBE = 11,
    REG_EXPOSURE_LINES = 14,
    REG_ROW_START = 18,
    REG_ROW_SIZE = 19,
    REG_COLUMN_START = 20,
    REG_COLUMN_SIZE = 21,
    REG_SUBSAMPLING = 26,  // low 3 bits: the address mode
    REG_GAIN_GREEN = 54,
    REG_GAIN_RED_BLUE = 55,
    REG_OSCILLATOR = 58,   // low 7 bits: oscillator trim
    REG_EXPOSURE_MODE = 118,
};

enum : unsigned short {
    ORIENTATION_MIRROR = 1u << 0,
    ORIENTATION_FLIP = 1u << 1,
    ORIENTATION_STROBE_INVERT = 1u << 2,
    STROBE_ENABLE = 1u << 0,
    SUBSAMPLING_FIELD = 0x07,
    EXPOSURE_MODE_LINE = 1u << 11,  // the exposure is one line length
    LINE_LENGTH_FIELD = 0x7FF,
    OSCILLATOR_FIELD = 0x7F,
};

constexpr unsigned int kMaxExposureLines = 65534;
constexpr unsigned int kClocksPerLineUnit = 8;

}  // namespace ev76c560

#endif
