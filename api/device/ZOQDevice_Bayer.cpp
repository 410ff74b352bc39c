// Demosaic dispatch and the Bayer and filter mode settings.
#include "colourroad/ZOQDevice_Bayer.h"

#include "ZoqOut.h"
#include "device/ZOQDevice.h"
#include "zoqbayer.h"

namespace {

using Demosaic8 = int (*)(unsigned char*, int, int, unsigned char*, unsigned short);
using Demosaic16 = int (*)(unsigned short*, int, int, unsigned short*, unsigned short);
using Gray8 = int (*)(unsigned char*, int, int, unsigned char*);
using Gray16 = int (*)(unsigned short*, int, int, unsigned short*);

constexpr int kPatterns = 4;  // BGGR, GRBG, RGGB, GBRG: the order of the Bayer modes
constexpr int kFilters = 6;

#define ZOQ_ALGORITHMS(P, F)                                                                \
    {                                                                                       \
        ZOQCFA_NearestNeighbor_##P##F, ZOQCFA_Bilinear_##P##F, ZOQCFA_SmoothHue_##P##F,     \
            ZOQCFA_EdgeSensing1_##P##F, ZOQCFA_Laplacian_##P##F, ZOQCFA_FastBilinear_##P##F \
    }

// [bottom-up][pattern][filter mode]
constexpr Demosaic8 kDemosaic8[2][kPatterns][kFilters] = {
    {ZOQ_ALGORITHMS(BGGR, ), ZOQ_ALGORITHMS(GRBG, ), ZOQ_ALGORITHMS(RGGB, ),
     ZOQ_ALGORITHMS(GBRG, )},
    {ZOQ_ALGORITHMS(BGGR, _Flip), ZOQ_ALGORITHMS(GRBG, _Flip), ZOQ_ALGORITHMS(RGGB, _Flip),
     ZOQ_ALGORITHMS(GBRG, _Flip)},
};
#undef ZOQ_ALGORITHMS

// [bottom-up][pattern]
constexpr Demosaic16 kDemosaic16[2][kPatterns] = {
    {ZOQCFA_NearestNeighbor_BGGR_16Bits, ZOQCFA_NearestNeighbor_GRBG_16Bits,
     ZOQCFA_NearestNeighbor_RGGB_16Bits, ZOQCFA_NearestNeighbor_GBRG_16Bits},
    {ZOQCFA_NearestNeighbor_BGGR_Flip_16Bits, ZOQCFA_NearestNeighbor_GRBG_Flip_16Bits,
     ZOQCFA_NearestNeighbor_RGGB_Flip_16Bits, ZOQCFA_NearestNeighbor_GBRG_Flip_16Bits},
};

}  // namespace

// The routines read a second row and column around every pixel.
static bool TooSmall(int width, int height) {
    return width < 2 || height < 2;
}

int DemosaicRaw8(int bayerMode, int filterMode, unsigned char* raw, int width, int height,
                 unsigned char* out, int* bitCount) {
    if (bayerMode < 0 || bayerMode > 23) return RC_NOT_SUPPORTED;
    if (bayerMode >= 16) {
        zoq::Put(bitCount, 8);
        if (TooSmall(width, height)) return RC_NOT_SUPPORTED;
        Gray8 gray = bayerMode < 20 ? ZOQCFA_NearestNeighbor_RGGB_Gray_Flip
                                    : ZOQCFA_NearestNeighbor_RGGB_Gray;
        return gray(raw, width, height, out);
    }
    // Modes 0-3 and 8-11 are bottom-up; 0-7 are 24-bit, 8-15 are 32-bit.
    bool bottomUp = (bayerMode & 4) == 0;
    unsigned short bits = bayerMode < 8 ? 24 : 32;
    zoq::Put(bitCount, bits);
    if (filterMode < 0 || filterMode >= kFilters || TooSmall(width, height))
        return RC_NOT_SUPPORTED;
    return kDemosaic8[bottomUp][bayerMode & 3][filterMode](raw, width, height, out, bits);
}

int DemosaicRaw16(int bayerMode, unsigned short* raw, int width, int height, unsigned short* out) {
    if (bayerMode < 0 || bayerMode > 23 || TooSmall(width, height)) return RC_NOT_SUPPORTED;
    if (bayerMode >= 16) {
        // The 16-bit road runs opposite to the 8-bit one: 16-19 top-down.
        Gray16 gray = bayerMode < 20 ? ZOQCFA_NearestNeighbor_RGGB_Gray_16Bits
                                     : ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits;
        return gray(raw, width, height, out);
    }
    bool bottomUp = (bayerMode & 4) != 0;
    unsigned short bits = bayerMode < 8 ? 24 : 32;
    return kDemosaic16[bottomUp][bayerMode & 3](raw, width, height, out, bits);
}

int CZOQDevice::GetDefaultBayerMode(ZOQ_BAYERMODE* mode) {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    zoq::Put(mode, m_pCam->Sensor_GetDefaultBayerMode());
    return RC_SUCCESS;
}

int CZOQDevice::SetBayerMode(ZOQ_BAYERMODE mode) {
    m_BayerMode = mode;
    // There is no preview picture to update here, so this reports
    // RC_NOT_SUPPORTED although the next capture uses the new mode.
    return UpdatePreviewBmpInfo_WhenBayerModePreviewModeChanged();
}

int CZOQDevice::GetBayerMode(ZOQ_BAYERMODE* mode) {
    zoq::Put(mode, m_BayerMode);
    return RC_SUCCESS;
}

int CZOQDevice::SetFilterMode(ZOQ_FILTERMODE mode) {
    m_FilterMode = mode;
    return RC_SUCCESS;
}

int CZOQDevice::GetFilterMode(ZOQ_FILTERMODE* mode) {
    zoq::Put(mode, m_FilterMode);
    return RC_SUCCESS;
}
