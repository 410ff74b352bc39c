// Colour-correction settings, the colour-road stage and the state read from
// the camera when it opens.
#include "ZoqFinite.h"
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

namespace {

// Switching the camera's own colour correction off may fail on a model
// without it; the software modes go on in that case.
bool Tolerated(int rc) {
    return rc == RC_SUCCESS || rc == RC_NOT_SUPPORTED;
}

}  // namespace

int CZOQDevice::SetColorCorrectionMode(ZOQ_CCM_MODE mode) {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    IZOQCam* cam = m_pCam;
    int rc = RC_SUCCESS;
    switch (mode) {
        case ZOQ_CCM_OFF:
        case ZOQ_CCM_SOFT_PRESET:
        case ZOQ_CCM_SOFT_MANUAL:
            rc = cam->Fpga_SetCcmEnable(false);
            if (!Tolerated(rc)) return rc;
            if (mode == ZOQ_CCM_SOFT_PRESET) {
                rc = cam->Sensor_GetCcmPresettingMatrix(m_ccm.presetting, &m_ccm.matrix[0][0]);
                if (rc != RC_SUCCESS) return rc;
            }
            break;
        case ZOQ_CCM_HW_PRESET:
            rc = cam->Fpga_SetCcmEnable(false);
            if (rc != RC_SUCCESS) return rc;
            rc = cam->Fpga_SetCcmPresetting(m_ccm.presetting);
            if (rc != RC_SUCCESS) return rc;
            m_ccm.mode = mode;
            return cam->Fpga_GetCcmMatrix(m_ccm.matrix);
        case ZOQ_CCM_HW_MANUAL:
            rc = cam->Fpga_SetCcmEnable(false);
            if (rc != RC_SUCCESS) return rc;
            rc = cam->Fpga_SetCcmMatrix(m_ccm.matrix);
            if (rc != RC_SUCCESS) return rc;
            break;
        default:
            return RC_SUCCESS;
    }
    m_ccm.mode = mode;
    return rc;
}

int CZOQDevice::GetColorCorrectionMode(ZOQ_CCM_MODE* mode) {
    zoq::Put(mode, m_ccm.mode);
    return RC_SUCCESS;
}

int CZOQDevice::SetColorCorrectionPresetting(ZOQ_COLOR_TEMPRATURE preset) {
    if (m_ccm.mode != ZOQ_CCM_SOFT_PRESET && m_ccm.mode != ZOQ_CCM_HW_PRESET)
        return RC_ILLEGAL_OPERATION;
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    if (m_ccm.mode == ZOQ_CCM_SOFT_PRESET) {
        // A preset the sensor does not have leaves the matrix as it was.
        m_pCam->Sensor_GetCcmPresettingMatrix(preset, &m_ccm.matrix[0][0]);
        m_ccm.presetting = preset;
        return RC_SUCCESS;
    }
    int rc = m_pCam->Fpga_SetCcmPresetting(preset);
    if (rc != RC_SUCCESS) return rc;
    m_ccm.presetting = preset;
    return m_pCam->Fpga_GetCcmMatrix(m_ccm.matrix);
}

int CZOQDevice::GetColorCorrectionPresetting(ZOQ_COLOR_TEMPRATURE* preset) {
    zoq::Put(preset, m_ccm.presetting);
    return RC_SUCCESS;
}

int CZOQDevice::SetColorCorrectionMatrix(float (*matrix)[3]) {
    const bool camera = m_ccm.mode == ZOQ_CCM_HW_MANUAL;
    if (m_ccm.mode != ZOQ_CCM_SOFT_MANUAL && !camera) return RC_SUCCESS;  // nothing stored
    if (matrix == nullptr || !zoq::AllFinite(matrix[0], 9)) return RC_PARAMETER_ERROR;
    if (camera && m_pCam == nullptr) return RC_NOT_INITIALIZED;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) m_ccm.matrix[row][column] = matrix[row][column];
    return camera ? m_pCam->Fpga_SetCcmMatrix(m_ccm.matrix) : RC_SUCCESS;
}

int CZOQDevice::GetColorCorrectionMatrix(float (*matrix)[3]) {
    if (matrix == nullptr) return RC_PARAMETER_ERROR;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) matrix[row][column] = m_ccm.matrix[row][column];
    return RC_SUCCESS;
}

int CZOQDevice::RgbData8_Do_Matrix_CCM(unsigned char* out, int width, int height, int bitCount) {
    if (m_ccm.mode != ZOQ_CCM_SOFT_PRESET && m_ccm.mode != ZOQ_CCM_SOFT_MANUAL) return RC_SUCCESS;
    return ZoqApplyColourMatrix(m_ccm.matrix, out, width, height, bitCount);
}

int CZOQDevice::InitialCCM() {
    m_ccm.Reset();
    DEVICE_NEEDS_CAMERA(RC_SUCCESS);
    ZOQ_CCM_MODE mode = ZOQ_CCM_OFF;
    int rc = m_pCam->Fpga_GetCcmMode(&mode);
    if (rc != RC_SUCCESS) {
        m_ccm.presetting = ZOQ_COLOR_TEMPRATURE_0;
        return m_pCam->Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE_0, &m_ccm.matrix[0][0]);
    }
    m_ccm.mode = mode;
    if (mode == ZOQ_CCM_HW_PRESET) m_pCam->Fpga_GetCcmPresetting(&m_ccm.presetting);
    return m_pCam->Fpga_GetCcmMatrix(m_ccm.matrix);
}
