// Hue/saturation/lightness stage: a master setting for every colour plus
// one setting for each of six 60-degree hue sectors, computed for each pixel
// in vector lanes that do the scalar conversions' exact operations.
#pragma once

#include <cstddef>

#include "colourroad/ZOQDevice_ColourConvert.h"

// The settings as the adjustment uses them: hue in half turns (hue / 180),
// saturation and lightness as fractions (value / 100), by range; the
// blending width between sectors is always 0.
struct ZOQHueSaturationConfig {
    double hue[7];
    double saturation[7];
    double lightness[7];
    double blendWidth;
};

class ZoqHueSaturation {
public:
    static constexpr int kRanges = 7;  // 0 the master, 1-6 the hue sectors

    void SetEnable(bool on) { m_enable = on; }
    bool Enabled() const { return m_enable; }
    // Clamps hue to -180..180, saturation and lightness to -100..100.
    // RC_PARAMETER_ERROR for a range outside 0..6.
    int Set(int range, int hue, int saturation, int lightness);
    int Get(int range, int* hue, int* saturation, int* lightness) const;
    const ZOQHueSaturationConfig& Config() const { return m_config; }

    // Adjusts every pixel of a 24- or 32-bit image (the fourth byte stays).
    // RC_SUCCESS without touching anything while disabled; otherwise the
    // image checks' codes or RC_SUCCESS.
    int Apply(unsigned char* image, int width, int height, int bitCount) const;
    // The same on `pixels` pixels of bpp bytes (3 or 4) from p, on this
    // thread (nothing while disabled).
    void ApplySpan(unsigned char* p, std::size_t pixels, int bpp) const;

private:
    bool m_enable = false;
    int m_hue[kRanges] = {};
    int m_saturation[kRanges] = {};
    int m_lightness[kRanges] = {};
    ZOQHueSaturationConfig m_config = {};
};
