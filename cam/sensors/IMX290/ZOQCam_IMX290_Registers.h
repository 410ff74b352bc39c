/* IMX290 register map as the sensor class uses it. */
#ifndef ZOQCAM_IMX290_REGISTERS_H
#define ZOQCAM_IMX290_REGISTERS_H

namespace imx290 {

enum : unsigned short {
    REG_ORIENTATION = 519,
    REG_GAIN = 532,
    REG_VMAX = 536,  // 18 bits: 536, 537 and bits 0-1 of 538
    REG_HMAX = 540,
    REG_SHS1 = 544,  // 18 bits: 544, 545 and bits 0-1 of 546
    REG_WINDOW_MODE = 570,
    REG_ROW_START = 572,
    REG_ROW_SIZE = 574,
    REG_COLUMN_START = 576,
    REG_COLUMN_SIZE = 578,
};

constexpr unsigned short kMaxGainIndex = 210;
constexpr unsigned int kMaxLines = 0x3FFFD;
// Low 4 bits of the window mode: rows read beyond the window.
constexpr unsigned short kExtraRowsMask = 0x0F;

// The mirrored registers, in reading order.
constexpr unsigned short kCachedRegisters[] = {540, 541, 536, 537, 538, 544, 545, 546, 532,
                                               522, 523, 570, 576, 577, 578, 579, 572, 573,
                                               574, 575, 1560, 1561, 1650, 1651, 519};

}  // namespace imx290

#endif
