/* CZOQCamMT9V034: exposure lines and milliseconds; a row lasts the window
 * width plus the horizontal blank. */
#include "ZOQCam_Imp_Sensor_MT9V034.h"
#include "ZOQCam_MT9V034_Registers.h"
#include "util/ZOQCam_Convert.h"

using namespace mt9v034;

float CZOQCamMT9V034::RowClocks() const {
    return static_cast<float>((Reg(REG_WINDOW_WIDTH) & TIMING_FIELD) +
                              (Reg(REG_HORIZONTAL_BLANK) & TIMING_FIELD));
}

float CZOQCamMT9V034::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    return static_cast<float>(static_cast<double>(RowClocks()) * m_fPixelClockPeriod * lines);
}

unsigned int CZOQCamMT9V034::Sensor_GetExposureLinesFromExposureTime(float ms) {
    return zoqplugin::TruncToU16(ms / (RowClocks() * m_fPixelClockPeriod) + 0.5f);
}
