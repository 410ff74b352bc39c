// The colour road: demosaic of the corrected raw frame into the caller's
// buffer, then the colour stages in place.
#include "ZOQDevice.h"
#include "ZOQDevice_Bayer.h"

void CZOQDevice::InitColourRoad() {}

void CZOQDevice::InitColourRoadFromCamera(int, int) {}

void CZOQDevice::ReleaseColourRoad() {}

int CZOQDevice::RawData8_Process_BayerFilter(unsigned char* raw, int width, int height,
                                             unsigned char* out, int* bitCount) {
    return DemosaicRaw8(m_BayerMode, m_FilterMode, raw, width, height, out, bitCount);
}

int CZOQDevice::RawData8_ToRgb(unsigned char* raw, int width, int height, unsigned char* out) {
    int bitCount = 0;
    RawData8_Process_BayerFilter(raw, width, height, out, &bitCount);
    return RC_SUCCESS;
}

int CZOQDevice::RawData16_ToRgb(unsigned char* raw, int width, int height, unsigned char* out) {
    return DemosaicRaw16(m_BayerMode, reinterpret_cast<unsigned short*>(raw), width, height,
                         reinterpret_cast<unsigned short*>(out));
}
