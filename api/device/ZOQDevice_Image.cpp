// Software gamma, contrast and brightness: settings, ranges and the raw-road
// stage that applies them.
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

namespace {

int Range(int* min, int* max, int low, int high) {
    zoq::Put(min, low);
    zoq::Put(max, high);
    return RC_SUCCESS;
}

int Answer(int* out, int value) {
    zoq::Put(out, value);
    return RC_SUCCESS;
}

}  // namespace

int CZOQDevice::GetGammaRange(int* min, int* max) {
    return Range(min, max, ZoqToneTables::kGammaMin, ZoqToneTables::kGammaMax);
}

int CZOQDevice::SetGamma(int value) {
    m_tone.SetGamma(value);
    return RC_SUCCESS;
}

int CZOQDevice::GetGamma(int* value) {
    return Answer(value, m_tone.Gamma());
}

int CZOQDevice::GetContrastRange(int* min, int* max) {
    return Range(min, max, ZoqToneTables::kLevelMin, ZoqToneTables::kLevelMax);
}

int CZOQDevice::SetContrast(int value) {
    m_tone.SetContrast(value);
    return RC_SUCCESS;
}

int CZOQDevice::GetContrast(int* value) {
    return Answer(value, m_tone.Contrast());
}

int CZOQDevice::GetBrightnessRange(int* min, int* max) {
    return Range(min, max, ZoqToneTables::kLevelMin, ZoqToneTables::kLevelMax);
}

int CZOQDevice::SetBrightness(int value) {
    m_tone.SetBrightness(value);
    return RC_SUCCESS;
}

int CZOQDevice::GetBrightness(int* value) {
    return Answer(value, m_tone.Brightness());
}

int CZOQDevice::RawData8_LoadTable_Brightness_Contrast_Gamma(unsigned char* data, int count) {
    if (data == nullptr || count < 0) return RC_PARAMETER_ERROR;
    m_tone.Apply(data, static_cast<size_t>(count));
    return RC_SUCCESS;
}
