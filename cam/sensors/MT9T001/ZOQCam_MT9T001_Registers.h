/* MT9T001 register facts: the MT9P031 register set with a 32-column and
 * 20-row window origin, 11-bit sizes, its own skip codes and row timing,
 * and a 161-entry gain table. */
#ifndef ZOQCAM_MT9T001_REGISTERS_H
#define ZOQCAM_MT9T001_REGISTERS_H

#include "sensor/ZOQCam_MT9Registers.h"

namespace mt9t001 {

using namespace mt9;

constexpr int kColumnOffset = 32;
constexpr int kRowOffset = 20;
constexpr unsigned short kColumnStartMask = 0xFFF;
constexpr unsigned short kWindowMask = 0x7FF;  // row start and both sizes

constexpr unsigned kGainEntries = 161;
extern const unsigned short g_MT9T001_GainTable[kGainEntries];

}  // namespace mt9t001

#endif
