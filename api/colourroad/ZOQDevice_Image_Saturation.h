// Saturation stage: scales the HSL saturation of every colour by one factor,
// computed for each pixel (RGBtoHSL1, S x factor, HSLtoRGB1) in vector lanes
// that do the scalar conversions' exact operations.
#pragma once

#include <cstddef>

#include "colourroad/ZOQDevice_ColourConvert.h"

class ZoqSaturation {
public:
    static constexpr int kMin = -128;
    static constexpr int kMax = 127;

    // A value equal to the stored one (before clamping) changes nothing;
    // otherwise clamps and stores it.
    void Set(int value);
    int Value() const { return m_value; }
    float Factor() const { return m_factor; }

    // Adjusts every pixel of a 24- or 32-bit image (the fourth byte stays).
    // RC_SUCCESS without touching anything while the value is 0; otherwise
    // the image checks' codes or RC_SUCCESS.
    int Apply(unsigned char* image, int width, int height, int bitCount) const;
    // The same on `pixels` pixels of bpp bytes (3 or 4) from p, on this
    // thread (nothing while the value is 0).
    void ApplySpan(unsigned char* p, std::size_t pixels, int bpp) const;

private:
    int m_value = 0;
    float m_factor = 1.0f;
};
