/* CZOQCamMT9M031: exposure lines and milliseconds: whole lines of the line
 * length plus the fine integration clocks. */
#include "ZOQCam_Imp_Sensor_MT9M031.h"
#include "ZOQCam_MT9M031_Registers.h"
#include "util/ZOQCam_Convert.h"

using namespace mt9m031;

float CZOQCamMT9M031::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    double clocks = static_cast<double>(lines) * Reg(REG_LINE_LENGTH) + Reg(REG_FINE_INTEGRATION);
    return static_cast<float>(clocks * m_fPixelClockPeriod);
}

unsigned int CZOQCamMT9M031::Sensor_GetExposureLinesFromExposureTime(float ms) {
    float lineClocks = static_cast<float>(Reg(REG_LINE_LENGTH));
    return zoqplugin::TruncToUInt(
        (ms / m_fPixelClockPeriod - Reg(REG_FINE_INTEGRATION)) / lineClocks + 0.5f);
}
