/* MT9P031 register facts: the shared MT9 register set with a 16-column and
 * 54-row window origin, full 16-bit window values, the strobe in read
 * mode 1, a 32-bit shutter width and a 154-entry gain table. */
#ifndef ZOQCAM_MT9P031_REGISTERS_H
#define ZOQCAM_MT9P031_REGISTERS_H

#include "sensor/ZOQCam_MT9Registers.h"

namespace mt9p031 {

using namespace mt9;

enum : unsigned short {
    READ_MODE_1_STROBE_ENABLE = 1u << 4,
    READ_MODE_1_STROBE_INVERT = 1u << 5,
};

// Window origin of the active array and the sensor's size.
constexpr int kColumnOffset = 16;
constexpr int kRowOffset = 54;
constexpr unsigned kMaxColumns = 2592;
constexpr unsigned kMaxRows = 1944;

constexpr unsigned kMaxExposureLines = 0x7FFFFFFF;

constexpr unsigned kGainEntries = 154;
extern const unsigned short g_MT9P031_GainTable[kGainEntries];

}  // namespace mt9p031

#endif
