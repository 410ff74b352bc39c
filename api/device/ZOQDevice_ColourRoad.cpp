// The colour road: demosaic of the corrected raw frame into the caller's
// buffer, then the colour stages in place.
#include "colourroad/ZOQDevice_Bayer.h"
#include "colourroad/ZOQDevice_ColourPass.h"
#include "device/ZOQDevice.h"

void CZOQDevice::InitColourRoad() {
    InitialMatrixAWB();
    InitialCCM();
}

void CZOQDevice::InitColourRoadFromCamera(int width, int height) {
    InitialMatrixAWB();
    InitialCCM();
    m_awb.requested = ZoqRegion{0, 0, width, height};
}

bool CZOQDevice::IsMonochromeCamera() const {
    int mono = 0;
    return m_pCam != nullptr &&
           m_pCam->Cam_QueryFunction(ZOQ_FUNC_MONOCHROME, &mono) == RC_SUCCESS && mono == 1;
}

int CZOQDevice::CheckColourCamera() const {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    return IsMonochromeCamera() ? RC_NOT_SUPPORTED : RC_SUCCESS;
}

int CZOQDevice::RawData8_Process_BayerFilter(unsigned char* raw, int width, int height,
                                             unsigned char* out, int* bitCount) {
    return DemosaicRaw8(m_BayerMode, m_FilterMode, raw, width, height, out, bitCount);
}

int CZOQDevice::RawData8_ToRgb(unsigned char* raw, int width, int height, unsigned char* out) {
    int bitCount = 0;
    RawData8_Process_BayerFilter(raw, width, height, out, &bitCount);
    // The colour stages work on 24- or 32-bit pixels only; gray output still
    // gets its geometric calibration (one byte a pixel), and a Bayer mode
    // that gave no bit count goes out as the demosaic left it.
    if (bitCount == 8) RgbData8_Do_Calibration(out, width, height, bitCount);
    if (bitCount != 24 && bitCount != 32) return RC_SUCCESS;
    // White balance measures the whole frame first; then its tables, the
    // matrix, saturation and hue/saturation/lightness run together over
    // blocks of rows, as RgbData8_Do_Matrix_AWB, RgbData8_Do_Matrix_CCM and
    // the two RgbData8_LoadTable_ steps one after the other would.
    bool gains = false;
    RgbData8_Prepare_AWB(out, width, height, bitCount, &gains);
    ZoqColourPass pass;
    if (gains) pass.gains = &m_awb.tables;
    if (m_ccm.mode == ZOQ_CCM_SOFT_PRESET || m_ccm.mode == ZOQ_CCM_SOFT_MANUAL)
        pass.matrix = m_ccm.matrix;
    pass.saturation = &m_saturation;
    pass.hsl = &m_hsl;
    ZoqApplyColourPass(pass, out, width, height, bitCount);
    RgbData8_Do_Calibration(out, width, height, bitCount);
    return RC_SUCCESS;
}

int CZOQDevice::RawData16_ToRgb(unsigned char* raw, int width, int height, unsigned char* out) {
    return DemosaicRaw16(m_BayerMode, reinterpret_cast<unsigned short*>(raw), width, height,
                         reinterpret_cast<unsigned short*>(out));
}
