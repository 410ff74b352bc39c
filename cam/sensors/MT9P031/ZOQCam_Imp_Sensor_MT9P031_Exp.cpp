/* CZOQCamMT9P031: exposure in lines and milliseconds. The row time depends
 * on the window width, the blanks and the bin/skip modes, so the lines are
 * recomputed from the requested time whenever one of them changes. */
#include <algorithm>

#include "ZOQCam_Convert.h"
#include "ZOQCam_Imp_Sensor_MT9P031.h"

using namespace mt9p031;

CZOQCamMT9P031::RowTiming CZOQCamMT9P031::Timing() const {
    unsigned rowBin = (Reg(REG_ROW_ADDRESS_MODE) >> ADDRESS_BIN_SHIFT) & ADDRESS_BIN_MASK;
    unsigned columnBin = (Reg(REG_COLUMN_ADDRESS_MODE) >> ADDRESS_BIN_SHIFT) & ADDRESS_BIN_MASK;
    unsigned columnSkip = Reg(REG_COLUMN_ADDRESS_MODE) & ADDRESS_SKIP_MASK;
    unsigned horizontalBlank = Reg(REG_HORIZONTAL_BLANK);
    unsigned shutterDelay = Reg(REG_SHUTTER_DELAY);
    unsigned width = Reg(REG_COLUMN_SIZE);

    BlankConstant blank = kBlankConstantOtherwise;
    for (const BlankConstant& entry : kBlankConstants)
        if (entry.rowBin == rowBin) blank = entry;
    unsigned k = columnBin ? blank.withColumnBin : blank.withoutColumnBin;
    unsigned minHorizontalBlank = k + 346 * (rowBin + 1) + 64;
    unsigned halfWidth = (width + 1) / ((columnSkip + 1) * 2) + 1;
    unsigned rowClocks = std::max(halfWidth + std::max(horizontalBlank + 1, minHorizontalBlank),
                                  346 * (rowBin + 1) + 140);
    unsigned overhead = std::min(shutterDelay + 1, 1504u) + 208 * (rowBin + 1) + 4;
    return RowTiming{static_cast<float>(rowClocks), static_cast<float>(overhead)};
}

float CZOQCamMT9P031::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    RowTiming timing = Timing();
    float t = m_fPixelClockPeriod;
    return static_cast<float>(lines) * 2.0f * t * timing.rowClocks -
           2.0f * t * timing.shutterOverheadClocks;
}

unsigned int CZOQCamMT9P031::Sensor_GetExposureLinesFromExposureTime(float ms) {
    RowTiming timing = Timing();
    float t = m_fPixelClockPeriod;
    return ZOQ_TruncToUInt((ms + timing.shutterOverheadClocks * 2.0f * t) /
                               (timing.rowClocks * 2.0f * t) +
                           0.5f);
}

int CZOQCamMT9P031::Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) {
    if (min) *min = 1;
    if (max) *max = kMaxExposureLines;
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_SetExposureLines(unsigned int lines) {
    if (lines == 0) lines = 1;
    if (lines > kMaxExposureLines) lines = kMaxExposureLines;
    int rc = Sensor_WrRelatedRegValue(REG_SHUTTER_UPPER, static_cast<unsigned short>(lines >> 16),
                                      nullptr);
    if (rc != RC_SUCCESS) return rc;
    return Sensor_WrRelatedRegValue(REG_SHUTTER_LOWER, static_cast<unsigned short>(lines & 0xFFFF),
                                    nullptr);
}

int CZOQCamMT9P031::Sensor_GetExposureLines(unsigned int* lines) {
    if (lines)
        *lines = (static_cast<unsigned int>(Reg(REG_SHUTTER_UPPER)) << 16) | Reg(REG_SHUTTER_LOWER);
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_GetExposureTimeRange(float* min, float* max) {
    if (min) *min = Sensor_GetExposureTimeFromExposureLines(1);
    if (max) *max = Sensor_GetExposureTimeFromExposureLines(kMaxExposureLines);
    return RC_SUCCESS;
}

int CZOQCamMT9P031::Sensor_SetExposureTime(float ms) {
    m_fRequestedExposureTime = ms;
    return Sensor_SetExposureLines(Sensor_GetExposureLinesFromExposureTime(ms));
}

int CZOQCamMT9P031::Sensor_GetExposureTime(float* ms) {
    if (ms) *ms = m_fExposureTime;
    return RC_SUCCESS;
}

float CZOQCamMT9P031::Sensor_GetExposureTime() { return m_fExposureTime; }

int CZOQCamMT9P031::Sensor_SyncExposureLines() {
    return Sensor_SetExposureLines(Sensor_GetExposureLinesFromExposureTime(m_fRequestedExposureTime));
}

int CZOQCamMT9P031::Sensor_UpdateExposureTime() {
    unsigned int lines = 0;
    Sensor_GetExposureLines(&lines);
    m_fExposureTime = Sensor_GetExposureTimeFromExposureLines(lines);
    return RC_SUCCESS;
}
