/* ISG4006A register map as the sensor class uses it (8-bit registers at
 * 16-bit addresses). */
#ifndef ZOQCAM_ISG4006A_REGISTERS_H
#define ZOQCAM_ISG4006A_REGISTERS_H

namespace isg4006a {

enum : unsigned short {
    REG_GAIN = 23,            // low 5 bits
    REG_ROW_SIZE_HIGH = 267,
    REG_ROW_SIZE_LOW = 268,
    REG_ROW_START_HIGH = 269,
    REG_ROW_START_LOW = 270,
    REG_ORIENTATION = 312,    // bit 6 set while not flipped
    REG_EXPOSURE_HIGH = 324,  // bits 16-23 of the line count
    REG_EXPOSURE_MIDDLE = 325,
    REG_EXPOSURE_LOW = 326,
};

enum : unsigned short {
    ORIENTATION_NOT_FLIPPED = 1u << 6,
};

constexpr unsigned int kColumns = 2048;  // every window is this wide
constexpr unsigned int kMaxRows = 2048;
constexpr unsigned int kWindowStep = 4;  // starts and sizes are multiples of 4
constexpr unsigned int kMaxExposureLines = 0x3FFFFFF;
constexpr unsigned int kLineClocks = 2580;

}  // namespace isg4006a

#endif
