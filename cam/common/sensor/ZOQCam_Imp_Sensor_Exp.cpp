/* CZOQCamSensor: exposure in lines (the layout's registers) and in
 * milliseconds (the chip's conversions). The requested time is kept, so
 * that the lines can be recomputed when the line time changes. */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "ZoqOut.h"


unsigned int CZOQCamSensor::ClampLines(unsigned int lines) {
    unsigned int low = 0, high = 0;
    Sensor_GetExposureLinesRange(&low, &high);
    return lines < low ? low : (lines > high ? high : lines);
}

int CZOQCamSensor::Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) {
    zoq::Put(min, m_Layout.lines.minLines);
    zoq::Put(max, m_Layout.lines.maxLines);
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_SetExposureLines(unsigned int lines) {
    lines = ClampLines(lines);
    const ZOQLineLayout& layout = m_Layout.lines;
    for (unsigned i = 0; i < layout.count; ++i) {
        const ZOQLinePart& part = layout.part[i];
        int rc = WriteReg(part.reg, static_cast<unsigned short>((lines >> part.shift) & part.mask));
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_GetExposureLines(unsigned int* lines) {
    if (!lines) return RC_SUCCESS;
    const ZOQLineLayout& layout = m_Layout.lines;
    unsigned int value = 0;
    for (unsigned i = 0; i < layout.count; ++i) {
        const ZOQLinePart& part = layout.part[i];
        value |= static_cast<unsigned int>(Reg(part.reg) & part.mask) << part.shift;
    }
    *lines = value;
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_GetExposureTimeRange(float* min, float* max) {
    unsigned int low = 0, high = 0;
    Sensor_GetExposureLinesRange(&low, &high);
    zoq::Put(min, Sensor_GetExposureTimeFromExposureLines(low));
    zoq::Put(max, Sensor_GetExposureTimeFromExposureLines(high));
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_SetExposureTime(float ms) {
    m_fRequestedExposureTime = ms;
    return Sensor_SetExposureLines(Sensor_GetExposureLinesFromExposureTime(ms));
}

int CZOQCamSensor::Sensor_GetExposureTime(float* ms) {
    zoq::Put(ms, m_fExposureTime);
    return RC_SUCCESS;
}

float CZOQCamSensor::Sensor_GetExposureTime() {
    return m_fExposureTime;
}

int CZOQCamSensor::Sensor_SyncExposureLines() {
    return Sensor_SetExposureLines(
        Sensor_GetExposureLinesFromExposureTime(m_fRequestedExposureTime));
}

int CZOQCamSensor::Sensor_UpdateExposureTime() {
    unsigned int lines = 0;
    Sensor_GetExposureLines(&lines);
    m_fExposureTime = Sensor_GetExposureTimeFromExposureLines(lines);
    return RC_SUCCESS;
}
