/* IMX174/IMX249 register map as the sensor class uses it. */
#ifndef ZOQCAM_IMX174_REGISTERS_H
#define ZOQCAM_IMX174_REGISTERS_H

namespace imx174 {

enum : unsigned short {
    REG_ORIENTATION = 534,
    REG_VMAX = 535,  // 535 and the low 4 bits of 536
    REG_HMAX = 538,
    REG_STROBE_ENABLE = 559,
    REG_STROBE_MODE = 562,
    REG_STROBE_OUTPUT = 630,
    REG_PULSE = 634,
    REG_SHS = 666,
    REG_SVS = 668,
    REG_COLUMN_START = 769,
    REG_ROW_START = 771,
    REG_COLUMN_SIZE = 773,
    REG_ROW_SIZE = 775,
    REG_GAIN = 1028,
};

// Shortest line, in clocks, and the columns a line adds beyond the window.
constexpr unsigned int kMinHmax = 608;
constexpr unsigned int kHmaxMargin = 16;

// The mirrored registers, in reading order.
constexpr unsigned short kCachedRegisters[] = {
    538, 539, 535, 536, 666, 667, 668, 669, 1028, 1029, 1112, 1113, 769, 770, 771,
    772, 773, 774, 775, 776, 559, 562, 630, 631, 632, 634, 635, 534};

}  // namespace imx174

#endif
