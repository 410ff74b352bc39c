// Auto exposure: settings, the raw-road stage that evaluates every third
// frame, and the callbacks that report each evaluation.
#include "ZoqFinite.h"
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

namespace {

// The sensor's exposure lines as the controller reads and sets them.
class SensorLines {
public:
    explicit SensorLines(IZOQCam* cam) : m_cam(cam) {}
    int Get(unsigned int* lines) { return m_cam->Sensor_GetExposureLines(lines); }
    int Set(unsigned int lines) { return m_cam->Sensor_SetExposureLines(lines); }

private:
    IZOQCam* m_cam;
};

// Milliseconds truncated to whole ones for the callbacks.
int WholeMilliseconds(float ms) {
    if (!(ms > -2147483648.0f && ms < 2147483648.0f)) return 0;
    return static_cast<int>(ms);
}

}  // namespace

int CZOQDevice::SetAERegion(int x, int y, int width, int height) {
    m_ae.region = ZoqRegion{x, y, width, height};
    return RC_SUCCESS;
}

int CZOQDevice::ShowAERegion(bool show) {
    m_ae.showRegion = show;
    return RC_SUCCESS;
}

int CZOQDevice::GetAERegion(int* x, int* y, int* width, int* height, bool* show) {
    ZoqPutRegion(m_ae.region, m_ae.showRegion, x, y, width, height, show);
    return RC_SUCCESS;
}

int CZOQDevice::SetAEPeakAveRatio(float ratio) {
    if (!zoq::Finite(ratio)) return RC_PARAMETER_ERROR;
    m_ae.SetPeakAveRatio(ratio);
    return RC_SUCCESS;
}

int CZOQDevice::GetAEPeakAveRatio(float* ratio) {
    zoq::Put(ratio, m_ae.PeakAveRatio());
    return RC_SUCCESS;
}

int CZOQDevice::SetAEExposureTimeRange(float min, float max) {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    if (!zoq::Finite(min) || !zoq::Finite(max)) return RC_PARAMETER_ERROR;
    float low = 0.0f;
    float high = 0.0f;
    int rc = m_pCam->Sensor_GetExposureTimeRange(&low, &high);
    if (rc != RC_SUCCESS) return rc;
    m_ae.timeMin = low > min ? low : min;
    m_ae.timeMax = high < max ? high : max;
    m_ae.linesMin = m_pCam->Sensor_GetExposureLinesFromExposureTime(m_ae.timeMin);
    m_ae.linesMax = m_pCam->Sensor_GetExposureLinesFromExposureTime(m_ae.timeMax);
    return RC_SUCCESS;
}

int CZOQDevice::GetAEExposureTimeRange(float* min, float* max) {
    zoq::Put(min, m_ae.timeMin);
    zoq::Put(max, m_ae.timeMax);
    return RC_SUCCESS;
}

int CZOQDevice::SetAECallbackEx(ZOQ_AE_CALLBACK_EX callback, void* context) {
    m_ae.callbackEx = callback;
    m_ae.callbackExContext = context;
    return RC_SUCCESS;
}

int CZOQDevice::SetAECallback(ZOQ_AE_CALLBACK callback, void* context) {
    m_ae.callback = callback;
    m_ae.callbackContext = context;
    return RC_SUCCESS;
}

int CZOQDevice::SetAEMaxCount(int maxCount) {
    m_ae.maxCount = maxCount;
    return RC_SUCCESS;
}

int CZOQDevice::SetAETarget(int target) {
    m_ae.target = target;
    return RC_SUCCESS;
}

int CZOQDevice::StartAE(bool start, int maxCount, int target) {
    m_ae.maxCount = maxCount;
    m_ae.target = target;
    m_ae.Start(start);
    return RC_SUCCESS;
}

int CZOQDevice::StartAEEx(bool start) {
    m_ae.Start(start);
    return RC_SUCCESS;
}

int CZOQDevice::GetAEStatusEx(bool* running, int* maxCount, int* target) {
    zoq::Put(running, m_ae.Running());
    zoq::Put(maxCount, m_ae.maxCount);
    zoq::Put(target, m_ae.target);
    return RC_SUCCESS;
}

int CZOQDevice::DoAEEx(unsigned char* data, int width, int height) {
    SensorLines lines(m_pCam);
    return m_ae.Evaluate(data, width, height, lines);
}

int CZOQDevice::RawData8_Do_AE(unsigned char* data, int width, int height) {
    // A region needs a frame of 4 x 4 samples at least.
    if (!m_ae.Running() || m_pCam == nullptr || data == nullptr || width < 4 || height < 4)
        return RC_SUCCESS;
    if (!m_ae.TakesFrame()) return RC_SUCCESS;
    const ZOQ_AE_STATUS status = static_cast<ZOQ_AE_STATUS>(DoAEEx(data, width, height));
    // The callbacks may change the settings; each reads what it needs first.
    if (m_ae.callbackEx != nullptr) {
        float ms = 0.0f;
        m_pCam->Sensor_GetExposureTime(&ms);
        m_ae.callbackEx(status, WholeMilliseconds(ms), m_ae.callbackExContext);
    }
    if (m_ae.callback != nullptr) {
        float ms = 0.0f;
        m_pCam->Sensor_GetExposureTime(&ms);
        m_ae.callback(status == ZOQ_AE_CONVERGED, WholeMilliseconds(ms), m_ae.callbackContext);
    }
    return RC_SUCCESS;
}
