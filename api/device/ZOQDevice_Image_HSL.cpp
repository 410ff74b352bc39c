// Hue/saturation/lightness settings and their stage of the colour road.
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

int CZOQDevice::SetHSLEnable(bool on) {
    m_hsl.SetEnable(on);
    return RC_SUCCESS;
}

int CZOQDevice::GetHSLEnable(bool* on) {
    zoq::Put(on, m_hsl.Enabled());
    return RC_SUCCESS;
}

int CZOQDevice::SetHSL(ZOQHueRange range, int hue, int saturation, int lightness) {
    return m_hsl.Set(range, hue, saturation, lightness);
}

int CZOQDevice::GetHSL(ZOQHueRange range, int* hue, int* saturation, int* lightness) {
    return m_hsl.Get(range, hue, saturation, lightness);
}

int CZOQDevice::RgbData8_LoadTable_HSL(unsigned char* out, int width, int height, int bitCount) {
    return m_hsl.Apply(out, width, height, bitCount);
}
