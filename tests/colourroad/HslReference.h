// Reference arithmetic of the saturation and hue/saturation/lightness
// stages: one colour at a time through the library's scalar conversions.
#pragma once

#include <cstddef>

#include "ColourReference.h"
#include "colourroad/ZOQDevice_ColourConvert.h"
#include "colourroad/ZOQDevice_Image_HSL.h"

namespace colourref {

// Saturation of one colour: RGBtoHSL1, S times the factor, HSLtoRGB1.
inline COLOR_RGB Saturate(float factor, const COLOR_RGB& in) {
    COLOR_HSL hsl;
    RGBtoHSL1(in, hsl);
    hsl.s *= factor;
    COLOR_RGB out;
    HSLtoRGB1(hsl, out);
    return out;
}

// Range of the sector a hue in turns falls in; range 1 wraps around 0.
inline int HueSector(float hue) {
    const double x = 6.0 * hue;
    if (x >= 0.5 && x < 1.5) return 2;
    if (x >= 1.5 && x < 2.5) return 3;
    if (x >= 2.5 && x < 3.5) return 4;
    if (x >= 3.5 && x < 4.5) return 5;
    if (x >= 4.5 && x < 5.5) return 6;
    return 1;
}

// Hue/saturation/lightness of one colour: RGBtoHSL2, the master's and the
// sector's settings, HSLtoRGB2.
inline COLOR_RGB AdjustHsl(const ZOQHueSaturationConfig& c, const COLOR_RGB& in) {
    COLOR_HSL hsl;
    RGBtoHSL2(in, hsl);
    const int k = HueSector(hsl.h);
    double h = hsl.h + 0.5 * (c.hue[0] + c.hue[k]);
    if (h < 0.0)
        h += 1.0;
    else if (h > 1.0)
        h -= 1.0;
    const double s = zoqcolour::Clamp(hsl.s * (1.0 + c.saturation[0] + c.saturation[k]), 0.0, 1.0);
    const double d = 0.5 * (c.lightness[0] + c.lightness[k]);
    const double l = d < 0.0 ? hsl.l * (1.0 + d) : hsl.l + d * (1.0 - hsl.l);
    hsl.h = static_cast<float>(h);
    hsl.s = static_cast<float>(s);
    hsl.l = static_cast<float>(l);
    COLOR_RGB out;
    HSLtoRGB2(hsl, out);
    return out;
}

// Every pixel of an image of bpp bytes a pixel through a one-colour
// function; a fourth byte stays.
template <typename Colour>
void ApplyPerPixel(Image& image, int bpp, Colour colour) {
    for (std::size_t i = 0; i + 2 < image.size(); i += bpp) {
        const COLOR_RGB out = colour(COLOR_RGB{image[i], image[i + 1], image[i + 2]});
        image[i] = out.b;
        image[i + 1] = out.g;
        image[i + 2] = out.r;
    }
}

}  // namespace colourref
