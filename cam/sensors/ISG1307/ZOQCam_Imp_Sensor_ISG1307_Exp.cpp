/* CZOQCamISG1307: exposure lines and milliseconds; a line lasts 321 clocks
 * of a tenth of the pixel clock (5.35 us at 600 MHz). */
#include "ZOQCam_ISG1307_Registers.h"
#include "ZOQCam_Imp_Sensor_ISG1307.h"
#include "util/ZOQCam_Convert.h"

using namespace isg1307;

namespace {
constexpr float kMicrosecondsPerMs = 1000.0f;
}

float CZOQCamISG1307::LineMicroseconds() const {
    return kLineClocks / (m_fPixelClock / kClockDivider);
}

float CZOQCamISG1307::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    return LineMicroseconds() * static_cast<float>(lines) / kMicrosecondsPerMs;
}

unsigned int CZOQCamISG1307::Sensor_GetExposureLinesFromExposureTime(float ms) {
    return zoqplugin::TruncToUInt(ms * kMicrosecondsPerMs / LineMicroseconds() + 0.5f);
}
