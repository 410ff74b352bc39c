/* CZOQCamSony: exposure by frame length, frame count and shutter start. */
#include <algorithm>

#include "sony/ZOQCam_Imp_Sony.h"
#include "util/ZOQCam_Convert.h"
#include "ZoqOut.h"


namespace {
constexpr unsigned long long kMaxLines = 0xFFFFFFFFull;
constexpr unsigned int kMaxPulse = 0xFFFF;
}  // namespace

unsigned int CZOQCamSony::FrameLines() const {
    // A frame length of 0 (an unread cache) would divide by zero.
    unsigned int vmax = Vmax();
    return vmax ? vmax : 1u;
}

int CZOQCamSony::Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) {
    zoq::Put(min, 1);
    zoq::Put(
        max, static_cast<unsigned int>(std::min(
                 static_cast<unsigned long long>(FrameLines()) * m_Sony.linesPerVmax, kMaxLines)));
    return RC_SUCCESS;
}

void CZOQCamSony::ShutterOfLines(unsigned int lines, unsigned int* shs, unsigned int* svs) const {
    unsigned int vmax = FrameLines();
    unsigned int rest = lines % vmax;
    if (rest == 0) {
        *shs = 0;
        *svs = lines / vmax - 1;
    } else {
        *shs = vmax - rest;
        *svs = lines / vmax;
    }
    *svs = std::min(*svs, m_Sony.svsLimit);
}

int CZOQCamSony::Sensor_SetExposureLines(unsigned int lines) {
    unsigned int shs = 0, svs = 0;
    ShutterOfLines(ClampLines(lines), &shs, &svs);
    int rc = WriteField(m_Sony.svs, svs);
    if (rc != RC_SUCCESS) return rc;
    rc = WriteField(m_Sony.shs, shs);
    if (rc != RC_SUCCESS) return rc;
    return SyncPulse();
}

int CZOQCamSony::Sensor_GetExposureLines(unsigned int* lines) {
    if (!lines) return RC_SUCCESS;
    long long count = static_cast<long long>(Vmax()) * (ReadField(m_Sony.svs) + 1ll) -
                      static_cast<long long>(ReadField(m_Sony.shs));
    *lines = static_cast<unsigned int>(
        std::max(0ll, std::min(count, static_cast<long long>(kMaxLines))));
    return RC_SUCCESS;
}

float CZOQCamSony::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    float lineMs = static_cast<float>(Hmax()) * m_fPixelClockPeriod;
    return static_cast<float>(lines) * lineMs + m_Sony.offsetLines * lineMs + m_Sony.offsetMs;
}

unsigned int CZOQCamSony::Sensor_GetExposureLinesFromExposureTime(float ms) {
    float lineMs = static_cast<float>(Hmax()) * m_fPixelClockPeriod;
    float offset = m_Sony.offsetLines * lineMs + m_Sony.offsetMs;
    if (ms < offset) return 1;
    return std::max(1u, zoqplugin::TruncToUInt((ms - offset) / lineMs + 0.5f));
}

int CZOQCamSony::SyncPulse() {
    if (!m_Sony.pulse.bytes) return RC_SUCCESS;
    unsigned int lines = 0;
    Sensor_GetExposureLines(&lines);
    return WriteField(m_Sony.pulse, std::min(lines, kMaxPulse));
}
