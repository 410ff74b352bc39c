/* MT9V034 register map as the sensor class uses it. */
#ifndef ZOQCAM_MT9V034_REGISTERS_H
#define ZOQCAM_MT9V034_REGISTERS_H

namespace mt9v034 {

enum : unsigned short {
    REG_COLUMN_START = 0x01,
    REG_ROW_START = 0x02,
    REG_WINDOW_HEIGHT = 0x03,
    REG_WINDOW_WIDTH = 0x04,
    REG_HORIZONTAL_BLANK = 0x05,
    REG_VERTICAL_BLANK = 0x06,
    REG_SHUTTER_WIDTH = 0x0B,
    REG_READ_MODE = 0x0D,
    REG_LED_OUT = 0x1B,
    REG_ANALOG_GAIN = 0x35,
    REG_AEC_AGC_ENABLE = 0xAF,
};

enum : unsigned short {
    READ_MODE_FLIP = 1u << 4,
    READ_MODE_MIRROR = 1u << 5,
    READ_MODE_BIN_FIELD = 0x0C,  // bits 2-3
    READ_MODE_BIN_2 = 0x04,      // address mode 1
    READ_MODE_BIN_4 = 0x08,      // address mode 3
    LED_OUT_DISABLE = 1u << 0,
    LED_OUT_INVERT = 1u << 1,
    AGC_ENABLE = 1u << 1,
    TIMING_FIELD = 0x3FF,  // window width and horizontal blank in the row time
};

constexpr int kColumnOffset = 1;
constexpr int kRowOffset = 4;
constexpr unsigned int kMaxColumns = 752;
constexpr unsigned int kMaxRows = 480;
constexpr unsigned int kMaxExposureLines = 32765;
constexpr unsigned short kGainOffset = 16;  // register value of gain index 0
constexpr unsigned short kMaxGainIndex = 48;

}  // namespace mt9v034

#endif
