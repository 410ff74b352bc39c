// Saturation settings and the saturation stage of the colour road.
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

int CZOQDevice::GetSaturationRange(int* min, int* max) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    const bool mono = IsMonochromeCamera();
    zoq::Put(min, mono ? 0 : ZoqSaturation::kMin);
    zoq::Put(max, mono ? 0 : ZoqSaturation::kMax);
    return mono ? RC_NOT_SUPPORTED : RC_SUCCESS;
}

int CZOQDevice::SetSaturation(int value) {
    m_saturation.Set(value);
    return RC_SUCCESS;
}

int CZOQDevice::GetSaturation(int* value) {
    zoq::Put(value, m_saturation.Value());
    return RC_SUCCESS;
}

int CZOQDevice::RgbData8_LoadTable_Saturation(unsigned char* out, int width, int height,
                                              int bitCount) {
    return m_saturation.Apply(out, width, height, bitCount);
}
