// The focus measure: settings and the raw-road stage that reports a value
// for every frame while it runs.
#include "device/ZOQDevice.h"

int CZOQDevice::SetAFRegion(int x, int y, int width, int height) {
    m_af.region = ZoqRegion{x, y, width, height};
    return RC_SUCCESS;
}

int CZOQDevice::GetAFRegion(int* x, int* y, int* width, int* height, bool* show) {
    ZoqPutRegion(m_af.region, m_af.showRegion, x, y, width, height, show);
    return RC_SUCCESS;
}

int CZOQDevice::ShowAFRegion(bool show) {
    m_af.showRegion = show;
    return RC_SUCCESS;
}

int CZOQDevice::SetAFCallback(ZOQ_AF_CALLBACK callback, void* context) {
    m_af.callback = callback;
    m_af.callbackContext = context;
    return RC_SUCCESS;
}

int CZOQDevice::StartAF(bool start) {
    m_af.running = start;
    return RC_SUCCESS;
}

int CZOQDevice::RawData8_Do_3A_AF(unsigned char* data, int width, int height) {
    if (!m_af.running || data == nullptr) return RC_SUCCESS;
    const int value = m_af.Measure(data, width, height);
    if (m_af.callback != nullptr) m_af.callback(value, m_af.callbackContext);
    return RC_SUCCESS;
}
