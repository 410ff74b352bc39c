/* MT9M001 register facts: the MT9P031 register set with a 20-column and
 * 12-row window origin, 11-bit window values, skipping in the read modes,
 * a 14-bit shutter width and a 48-entry gain table. */
#ifndef ZOQCAM_MT9M001_REGISTERS_H
#define ZOQCAM_MT9M001_REGISTERS_H

#include "sensor/ZOQCam_MT9Registers.h"

namespace mt9m001 {

using namespace mt9;

enum : unsigned short {
    REG_CALIBRATION_THRESHOLD = 0x5F,
    REG_CALIBRATION_CONTROL = 0x62,
};

constexpr int kColumnOffset = 20;
constexpr int kRowOffset = 12;
constexpr unsigned short kWindowMask = 0x7FF;
constexpr unsigned int kMaxExposureLines = 16383;

// Skip bits of the read modes.
enum : unsigned short {
    READ_MODE_1_SKIP_4 = 0x0C,  // bits 2-3: mode 3
    READ_MODE_1_SKIP_8 = 0x30,  // bits 4-5: mode 4
    READ_MODE_1_SKIP_FIELD = 0x3C,
    READ_MODE_2_SKIP_2 = 0x18,  // bits 3-4: mode 1
    READ_MODE_2_SKIP_FIELD = 0x18,
};

constexpr unsigned kGainEntries = 48;
extern const unsigned short g_MT9M001_GainTable[kGainEntries];

}  // namespace mt9m001

#endif
