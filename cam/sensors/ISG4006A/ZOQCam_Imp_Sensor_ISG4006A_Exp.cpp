/* CZOQCamISG4006A: exposure lines and milliseconds; a line lasts 2580
 * clocks. */
#include "ZOQCam_ISG4006A_Registers.h"
#include "ZOQCam_Imp_Sensor_ISG4006A.h"
#include "util/ZOQCam_Convert.h"

using namespace isg4006a;

float CZOQCamISG4006A::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    return static_cast<float>(lines) * kLineClocks * m_fPixelClockPeriod;
}

unsigned int CZOQCamISG4006A::Sensor_GetExposureLinesFromExposureTime(float ms) {
    return zoqplugin::TruncToUInt(ms / (kLineClocks * m_fPixelClockPeriod) + 0.5f);
}
