// Saturation settings and the saturation stage of the colour road.
#include "device/ZOQDevice.h"

int CZOQDevice::GetSaturationRange(int* min, int* max) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    const bool mono = IsMonochromeCamera();
    if (min != nullptr) *min = mono ? 0 : ZoqSaturation::kMin;
    if (max != nullptr) *max = mono ? 0 : ZoqSaturation::kMax;
    return mono ? RC_NOT_SUPPORTED : RC_SUCCESS;
}

int CZOQDevice::SetSaturation(int value) {
    m_saturation.Set(value);
    return RC_SUCCESS;
}

int CZOQDevice::GetSaturation(int* value) {
    if (value != nullptr) *value = m_saturation.Value();
    return RC_SUCCESS;
}

int CZOQDevice::RgbData8_LoadTable_Saturation(unsigned char* out, int width, int height,
                                              int bitCount) {
    return m_saturation.Apply(out, width, height, bitCount);
}
