/* ISG1307 register map as the sensor class uses it (8-bit registers at
 * 16-bit addresses; the column window is in the FPGA). */
#ifndef ZOQCAM_ISG1307_REGISTERS_H
#define ZOQCAM_ISG1307_REGISTERS_H

namespace isg1307 {

enum : unsigned short {
    REG_GAIN = 30,            // low 5 bits
    REG_ROW_SIZE_HIGH = 344,
    REG_ROW_SIZE_LOW = 345,
    REG_ROW_START_HIGH = 346,
    REG_ROW_START_LOW = 347,
    REG_ORIENTATION = 389,
    REG_EXPOSURE_HIGH = 402,  // bits 16-23 of the line count
    REG_EXPOSURE_MIDDLE = 403,
    REG_EXPOSURE_LOW = 404,
    REG_READOUT = 406,
};

// The column window: FPGA registers.
enum : unsigned short {
    FPGA_COLUMN_SIZE = 1,
    FPGA_COLUMN_START = 43,
};

enum : unsigned short {
    ORIENTATION_FLIP = 1u << 6,
};

constexpr unsigned int kMaxExposureLines = 4095;
// A line lasts this many clocks of a tenth of the pixel clock.
constexpr float kLineClocks = 321.0f;
constexpr float kClockDivider = 10.0f;

}  // namespace isg1307

#endif
