// Bad pixel correction and the calibration map: settings, the raw-road bad
// pixel stage and the colour road's final remap.
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

int CZOQDevice::SetBadPixelCorrectionThreshold(unsigned char low, unsigned char high) {
    m_badPixels.low = low;
    m_badPixels.high = high;
    return RC_SUCCESS;
}

int CZOQDevice::GetBadPixelCorrectionThreshold(unsigned char* low, unsigned char* high) {
    zoq::Put(low, m_badPixels.low);
    zoq::Put(high, m_badPixels.high);
    return RC_SUCCESS;
}

int CZOQDevice::SetBadPixelCorrection(bool on, ZOQ_THRESHOLD level) {
    m_badPixels.Set(on, level);
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    // A camera without the feature leaves the work to the software stage.
    int rc = m_pCam->Fpga_SetBadPixelCorrection(on, level);
    return rc == RC_NOT_SUPPORTED ? RC_SUCCESS : rc;
}

int CZOQDevice::GetBadPixelCorrection(bool* on, ZOQ_THRESHOLD* level) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    bool cameraOn = false;
    ZOQ_THRESHOLD cameraLevel = ZOQ_THRESHOLD_LOW;
    int rc = m_pCam->Fpga_GetBadPixelCorrection(&cameraOn, &cameraLevel);
    if (rc != RC_SUCCESS) {
        cameraOn = m_badPixels.enable;
        cameraLevel = m_badPixels.level;
    }
    zoq::Put(on, cameraOn);
    zoq::Put(level, cameraLevel);
    return rc;
}

int CZOQDevice::RawData8_Do_BadPixelCorrect(unsigned char* data, int width, int height) {
    if (m_pCam == nullptr || data == nullptr || !m_badPixels.enable || height < 1)
        return RC_SUCCESS;
    int inCamera = 0;
    m_pCam->Cam_QueryFunction(ZOQ_FUNC_HW_BAD_PIXEL_CORRECTION, &inCamera);
    if (inCamera != 0) return RC_SUCCESS;
    m_badPixels.Correct(data, width, height);
    return RC_SUCCESS;
}

int CZOQDevice::SetPreviewCalibration(bool on) {
    m_calibration.previewEnable = on;
    return RC_SUCCESS;
}

int CZOQDevice::GetPreviewCalibration(bool* on) {
    zoq::Put(on, m_calibration.previewEnable);
    return RC_SUCCESS;
}

int CZOQDevice::SetCaptureCalibration(bool on) {
    m_calibration.captureEnable = on;
    return RC_SUCCESS;
}

int CZOQDevice::GetCaptureCalibration(bool* on) {
    zoq::Put(on, m_calibration.captureEnable);
    return RC_SUCCESS;
}

int CZOQDevice::LoadCalibrationMapFile(const char* path) {
    return m_calibration.Load(path);
}

int CZOQDevice::SetCalibrationMapMode(ZOQ_MAPMODE mode) {
    m_calibration.mode = mode;
    return RC_SUCCESS;
}

int CZOQDevice::GetCalibrationMapMode(ZOQ_MAPMODE* mode) {
    zoq::Put(mode, m_calibration.mode);
    return RC_SUCCESS;
}

int CZOQDevice::RgbData8_Do_Calibration(unsigned char* out, int width, int height, int bitCount) {
    const bool enabled = m_CurrentFovMode == ZOQ_FOV_MODE_PREVIEW ? m_calibration.previewEnable
                                                                  : m_calibration.captureEnable;
    if (m_nColorFlag != 1 || !enabled) return RC_SUCCESS;
    // Gray output is remapped one byte a pixel; other bit counts are left.
    if (bitCount != 8 && bitCount != 24 && bitCount != 32) return RC_NOT_SUPPORTED;
    return m_calibration.Remap(out, width, height, bitCount / 8) ? RC_SUCCESS
                                                                 : RC_ILLEGAL_OPERATION;
}
