/* IMX178 register map as the sensor class uses it. */
#ifndef ZOQCAM_IMX178_REGISTERS_H
#define ZOQCAM_IMX178_REGISTERS_H

namespace imx178 {

enum : unsigned short {
    REG_MODE_A = 525,       // bits 0-1: 1 in normal readout, 0 binned
    REG_READOUT = 526,      // low 6 bits 0x23: 2 x 2 readout
    REG_ORIENTATION = 527,
    REG_MODE_B = 528,       // 0 normal, 1 binned
    REG_GAIN_RANGE = 539,   // non-zero: gain index up to 510
    REG_GAIN = 543,
    REG_VMAX = 556,         // 556, 557 and bit 0 of 558
    REG_HMAX = 559,
    REG_SHS = 564,
    REG_SVS = 577,          // 577 and bits 0-1 of 578
    REG_COLUMN_START = 924,
    REG_COLUMN_SIZE = 926,
    REG_ROW_START = 928,
    REG_ROW_SIZE = 930,
};

constexpr unsigned short kReadoutField = 0x3F;
constexpr unsigned short kBinnedReadout = 0x23;

constexpr unsigned short kMaxGainIndex = 480;
constexpr unsigned short kMaxGainIndexWide = 510;

// Line length and frame margin, binned and normal.
constexpr unsigned int kBinnedHmax = 556;
constexpr unsigned int kHmaxBase = 401;
constexpr unsigned int kBinnedVmaxMargin = 500;
constexpr unsigned int kVmaxMargin = 30;

// The mirrored registers, in reading order.
constexpr unsigned short kCachedRegisters[] = {539, 543, 544, 556, 557, 558, 559, 560, 564, 565, 566,
                                               577, 578, 924, 925, 926, 927, 928, 929, 930, 931, 527,
                                               533, 534, 526, 528, 525};

}  // namespace imx178

#endif
