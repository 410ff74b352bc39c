// White-balance settings: mode, presetting, gains, threshold, callbacks and
// the measurement region.
#include "ZoqFinite.h"
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

namespace {

// Switching the camera's own white balance off may fail on a model without
// it; the software modes go on in that case.
bool Tolerated(int rc) {
    return rc == RC_SUCCESS || rc == RC_NOT_SUPPORTED;
}

}  // namespace

int CZOQDevice::SetWhiteBalanceMode(ZOQ_WB_MODE mode) {
    int rc = CheckColourCamera();
    if (rc != RC_SUCCESS) return rc;
    IZOQCam* cam = m_pCam;
    switch (mode) {
        case ZOQ_WB_OFF:
        case ZOQ_WB_SOFT_PRESET:
        case ZOQ_WB_SOFT_AUTO_ONCE:
        case ZOQ_WB_SOFT_AUTO_CONTINUOUS:
        case ZOQ_WB_SOFT_MANUAL:
            rc = cam->Fpga_SetAwbEnable(false);
            if (!Tolerated(rc)) return rc;
            if (mode == ZOQ_WB_SOFT_PRESET)
                rc = cam->Sensor_GetAwbPresettingMatrix(m_awb.presetting, m_awb.gains);
            if (mode != ZOQ_WB_OFF) m_awb.update = true;
            break;
        case ZOQ_WB_HW_PRESET:
            rc = cam->Fpga_SetAwbPresetting(m_awb.presetting);
            if (rc != RC_SUCCESS) return rc;
            m_awb.update = true;
            break;
        case ZOQ_WB_HW_AUTO_ONCE:
            rc = cam->Fpga_SetAwbEnable(false);
            if (rc != RC_SUCCESS) return rc;
            rc = cam->Fpga_SetAwbModeAutoOnce();
            if (rc != RC_SUCCESS) return rc;
            m_awb.update = true;
            break;
        case ZOQ_WB_HW_AUTO_CONTINUOUS:
            rc = cam->Fpga_SetAwbModeContinue();
            if (rc != RC_SUCCESS) return rc;
            m_awb.update = true;
            break;
        case ZOQ_WB_HW_MANUAL:
            rc = cam->Fpga_SetAwbMatrix(m_awb.gains);
            if (rc != RC_SUCCESS) return rc;
            break;
        default:
            return RC_PARAMETER_ERROR;
    }
    m_awb.mode = mode;
    return rc;
}

int CZOQDevice::GetWhiteBalanceMode(ZOQ_WB_MODE* mode) {
    zoq::Put(mode, m_awb.mode);
    return RC_SUCCESS;
}

int CZOQDevice::SetWhiteBalancePresetting(ZOQ_COLOR_TEMPRATURE preset) {
    m_awb.presetting = preset;
    if (m_awb.mode != ZOQ_WB_SOFT_PRESET && m_awb.mode != ZOQ_WB_HW_PRESET) return RC_SUCCESS;
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    int rc = m_awb.mode == ZOQ_WB_SOFT_PRESET
                 ? m_pCam->Sensor_GetAwbPresettingMatrix(preset, m_awb.gains)
                 : m_pCam->Fpga_SetAwbPresetting(preset);
    m_awb.update = true;
    return rc;
}

int CZOQDevice::GetWhiteBalancePresetting(ZOQ_COLOR_TEMPRATURE* preset) {
    zoq::Put(preset, m_awb.presetting);
    return RC_SUCCESS;
}

int CZOQDevice::SetWhiteBalanceMatrix(float* gains) {
    if (m_awb.mode == ZOQ_WB_SOFT_MANUAL) {
        if (gains == nullptr || !zoq::AllFinite(gains, 3)) return RC_PARAMETER_ERROR;
        for (int c = 0; c < 3; ++c) m_awb.gains[c] = gains[c];
        m_awb.update = true;
        return RC_SUCCESS;
    }
    if (m_awb.mode == ZOQ_WB_HW_MANUAL) {
        DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
        if (gains == nullptr || !zoq::AllFinite(gains, 3)) return RC_PARAMETER_ERROR;
        for (int c = 0; c < 3; ++c) m_awb.gains[c] = gains[c];
        return m_pCam->Fpga_SetAwbMatrix(m_awb.gains);
    }
    return RC_ILLEGAL_OPERATION;
}

int CZOQDevice::GetWhiteBalanceMatrix(float* gains) {
    if (gains == nullptr) return RC_PARAMETER_ERROR;
    for (int c = 0; c < 3; ++c) gains[c] = m_awb.gains[c];
    return RC_SUCCESS;
}

int CZOQDevice::SetWhiteBalancePhi(int phi) {
    m_awb.phi = phi;
    return RC_SUCCESS;
}

int CZOQDevice::GetWhiteBalancePhi(int* phi) {
    zoq::Put(phi, m_awb.phi);
    return RC_SUCCESS;
}

int CZOQDevice::SetWhiteBalanceAutoCallBack(ZOQ_WB_CALLBACK callback, void* context) {
    m_awb.callback = callback;
    m_awb.callbackContext = context;
    return RC_SUCCESS;
}

int CZOQDevice::SetWhiteBalanceAutoCallBackEx(ZOQ_WB_CALLBACK_EX callback, void* context) {
    m_awb.callbackEx = callback;
    m_awb.callbackExContext = context;
    return RC_SUCCESS;
}

int CZOQDevice::SetAWBRegion(int x, int y, int width, int height) {
    int rc = CheckColourCamera();
    if (rc != RC_SUCCESS) return rc;
    m_awb.requested = ZoqRegion{x, y, width, height};
    return RC_SUCCESS;
}

int CZOQDevice::ShowAWBRegion(bool show) {
    int rc = CheckColourCamera();
    if (rc != RC_SUCCESS) return rc;
    m_awb.showRegion = show;
    return RC_SUCCESS;
}

int CZOQDevice::GetAWBRegion(int* x, int* y, int* width, int* height, bool* show) {
    int rc = CheckColourCamera();
    if (rc != RC_SUCCESS) return rc;
    const ZoqRegion& r = m_awb.requested;
    zoq::Put(x, r.x);
    zoq::Put(y, r.y);
    zoq::Put(width, r.width);
    zoq::Put(height, r.height);
    zoq::Put(show, m_awb.showRegion);
    return RC_SUCCESS;
}
