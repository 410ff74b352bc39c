/* CZOQCamMT9P031: gain by index into the gain table. On a monochrome model
 * the per-colour operations act on the global gain, so that the four pixel
 * positions of the (unused) colour pattern keep one gain. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"

using namespace mt9p031;

namespace {
constexpr unsigned kMaxGainIndex = kGainEntries - 1;
}

int CZOQCamMT9P031::SetGain(unsigned short reg, unsigned int index) {
    if (index > kMaxGainIndex) index = kMaxGainIndex;
    return Sensor_WrRelatedRegValue(reg, g_MT9P031_GainTable[index], nullptr);
}

int CZOQCamMT9P031::GetGain(unsigned short reg, unsigned int* index) const {
    if (!index) return RC_SUCCESS;
    unsigned short value = Reg(reg);
    *index = 0;
    for (unsigned i = 0; i < kGainEntries; ++i) {
        if (g_MT9P031_GainTable[i] == value) {
            *index = i;
            break;
        }
    }
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_GetGainRange(unsigned int* min, unsigned int* max) {
    if (min) *min = 0;
    if (max) *max = kMaxGainIndex;
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_SetGainR(unsigned int gain) {
    if (Cap(CAP_MONOCHROME)) return Sensor_SetGainGlobal(gain);
    return SetGain(REG_GAIN_RED, gain);
}

int CZOQCamMT9P031::Sensor_GetGainR(unsigned int* gain) {
    return GetGain(Cap(CAP_MONOCHROME) ? REG_GAIN_GLOBAL : REG_GAIN_RED, gain);
}

int CZOQCamMT9P031::Sensor_SetGainB(unsigned int gain) {
    if (Cap(CAP_MONOCHROME)) return Sensor_SetGainGlobal(gain);
    return SetGain(REG_GAIN_BLUE, gain);
}

int CZOQCamMT9P031::Sensor_GetGainB(unsigned int* gain) {
    return GetGain(Cap(CAP_MONOCHROME) ? REG_GAIN_GLOBAL : REG_GAIN_BLUE, gain);
}

int CZOQCamMT9P031::Sensor_SetGainG(unsigned int gain) {
    if (Cap(CAP_MONOCHROME)) return Sensor_SetGainGlobal(gain);
    // Both green positions are written; a failure of either is reported.
    int green1 = SetGain(REG_GAIN_GREEN1, gain);
    int green2 = SetGain(REG_GAIN_GREEN2, gain);
    return green1 != RC_SUCCESS ? green1 : green2;
}

int CZOQCamMT9P031::Sensor_GetGainG(unsigned int* gain) {
    return GetGain(Cap(CAP_MONOCHROME) ? REG_GAIN_GLOBAL : REG_GAIN_GREEN1, gain);
}

int CZOQCamMT9P031::Sensor_SetGainGlobal(unsigned int gain) { return SetGain(REG_GAIN_GLOBAL, gain); }

int CZOQCamMT9P031::Sensor_GetGainGlobal(unsigned int* gain) { return GetGain(REG_GAIN_GLOBAL, gain); }
