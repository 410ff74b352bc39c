// Conversions between BGR bytes and hue/saturation/lightness. Two pairs with
// different precision: the saturation stage uses hue in degrees and single
// precision throughout (RGBtoHSL1, HSLtoRGB1); the hue/saturation/lightness
// stage uses hue in turns and works in double precision (RGBtoHSL2,
// HSLtoRGB2). They state the arithmetic one colour at a time; the stages
// do the same operations on vector lanes (ZOQDevice_PixelLanes.h), and
// the tests hold every colour's result against these. Every clamp is
// written so that a NaN ends as 0 rather than in an undefined
// float-to-integer conversion.
#pragma once

#include <algorithm>

// Pixel order of the output image.
struct COLOR_RGB {
    unsigned char b;
    unsigned char g;
    unsigned char r;
};

// H in degrees (RGBtoHSL1) or turns (RGBtoHSL2); S and L in 0..1.
struct COLOR_HSL {
    float h;
    float s;
    float l;
};

namespace zoqcolour {

// byte / 255 in single precision for every byte, worked out by the compiler
// (the same correctly rounded quotients as a division at run time).
struct UnitScale {
    float of[256];
    constexpr UnitScale() : of() {
        for (int i = 0; i < 256; ++i) of[i] = static_cast<float>(i) / 255.0f;
    }
};
inline constexpr UnitScale kUnit{};

template <typename T>
inline T Clamp(T v, T low, T high) {
    return v < low ? low : (v > high ? high : v);
}

// Above 255: 255; 0..255: truncated; below 0 (or NaN): 0.
template <typename T>
inline unsigned char TruncateToByte(T v) {
    if (v > T(255)) return 255;
    return v >= T(0) ? static_cast<unsigned char>(v) : 0;
}

inline float HueToChannel1(float p, float q, float t) {
    if (t < 0.0f) t += 1.0f;
    if (t > 1.0f) t -= 1.0f;
    if (6.0f * t < 1.0f) return p + (q - p) * 6.0f * t;
    if (2.0f * t < 1.0f) return q;
    if (3.0f * t < 2.0f) return p + (q - p) * (0.6666667f - t) * 6.0f;
    return p;
}

// y: hue position in sixths of a turn, already offset for the channel.
inline double HueToChannel2(double p, double q, double y) {
    if (y > 6.0) y -= 6.0;
    if (y < 0.0) y += 6.0;
    if (y < 1.0) return p + (q - p) * y;
    if (y < 3.0) return q;
    if (y < 4.0) return p + (q - p) * (4.0 - y);
    return p;
}

// A colour's channels as fractions of 255 (single precision), with the
// largest and smallest of them.
struct Unit {
    float r, g, b, max, min;
    explicit Unit(const COLOR_RGB& c)
        : r(kUnit.of[c.r]),
          g(kUnit.of[c.g]),
          b(kUnit.of[c.b]),
          max(std::max(r, std::max(g, b))),
          min(std::min(r, std::min(g, b))) {}
};

}  // namespace zoqcolour

// Single precision, H in degrees 0..360.
inline void RGBtoHSL1(const COLOR_RGB& src, COLOR_HSL& dst) {
    const zoqcolour::Unit u(src);
    const float r = u.r, g = u.g, b = u.b, max = u.max, min = u.min;
    const float l = (max + min) / 2.0f;
    float h = 0.0f;
    float s = 0.0f;
    if (max != min) {
        const float d = max - min;
        if (max == r) {
            h = 60.0f * (g - b) / d;
            if (g < b) h += 360.0f;
        } else if (max == g) {
            h = 60.0f * (b - r) / d + 120.0f;
        } else {
            h = 60.0f * (r - g) / d + 240.0f;
        }
        if (l > 0.0f && l <= 0.5f)
            s = d / (max + min);
        else if (l > 0.5f)
            s = d / (2.0f - (max + min));
    }
    dst.h = zoqcolour::Clamp(h, 0.0f, 360.0f);
    dst.s = zoqcolour::Clamp(s, 0.0f, 1.0f);
    dst.l = zoqcolour::Clamp(l, 0.0f, 1.0f);
}

// Single precision; a gray colour is truncated, the others rounded.
inline void HSLtoRGB1(const COLOR_HSL& src, COLOR_RGB& dst) {
    using zoqcolour::TruncateToByte;
    if (src.s == 0.0f) {
        const unsigned char v = TruncateToByte(src.l * 255.0f);
        dst.b = dst.g = dst.r = v;
        return;
    }
    const float l = src.l;
    const float q = l < 0.5f ? l * (1.0f + src.s) : l + src.s - l * src.s;
    const float p = 2.0f * l - q;
    const float h = src.h / 360.0f;
    dst.r = TruncateToByte(zoqcolour::HueToChannel1(p, q, h + 0.3333333f) * 255.0f + 0.5f);
    dst.g = TruncateToByte(zoqcolour::HueToChannel1(p, q, h) * 255.0f + 0.5f);
    dst.b = TruncateToByte(zoqcolour::HueToChannel1(p, q, h - 0.3333333f) * 255.0f + 0.5f);
}

// Channels in single precision, the rest in double; H in turns 0..1.
inline void RGBtoHSL2(const COLOR_RGB& src, COLOR_HSL& dst) {
    const zoqcolour::Unit u(src);
    const float r = u.r, g = u.g, b = u.b, maxf = u.max, minf = u.min;
    const double max = maxf;  // compared as floats, used as doubles
    const double min = minf;
    const double l = 0.5 * (max + min);
    double h = 0.0;
    double s = 0.0;
    if (maxf != minf) {
        const double d = max - min;
        s = l <= 0.5 ? d / (max + min) : d / (2.0 - max - min);
        if (maxf == r)
            h = (g - b) / d;
        else if (maxf == g)
            h = (b - r) / d + 2.0;
        else
            h = (r - g) / d + 4.0;
        h /= 6.0;
        if (h < 0.0) h += 1.0;
    }
    dst.h = static_cast<float>(zoqcolour::Clamp(h, 0.0, 1.0));
    dst.s = static_cast<float>(zoqcolour::Clamp(s, 0.0, 1.0));
    dst.l = static_cast<float>(zoqcolour::Clamp(l, 0.0, 1.0));
}

// Double precision, H in turns.
inline void HSLtoRGB2(const COLOR_HSL& src, COLOR_RGB& dst) {
    using zoqcolour::TruncateToByte;
    const double h = src.h;
    const double s = src.s;
    const double l = src.l;
    if (s == 0.0) {
        const unsigned char v = TruncateToByte(l * 255.0 + 0.5);
        dst.b = dst.g = dst.r = v;
        return;
    }
    const double q = l <= 0.5 ? (1.0 + s) * l : s + l - s * l;
    const double p = 2.0 * l - q;
    const double x = 6.0 * h;
    dst.r = TruncateToByte(zoqcolour::HueToChannel2(p, q, x + 2.0) * 255.0 + 0.5);
    dst.g = TruncateToByte(zoqcolour::HueToChannel2(p, q, x) * 255.0 + 0.5);
    dst.b = TruncateToByte(zoqcolour::HueToChannel2(p, q, x - 2.0) * 255.0 + 0.5);
}
