#include "colourroad/ZOQDevice_AWB_Measure.h"

#include <cmath>
#include <cstddef>

#include "colourroad/ZOQDevice_ColourImage.h"

namespace {

// Single-precision sums, added pixel by pixel in buffer order.
struct Sums {
    float y = 0.0f, cb = 0.0f, cr = 0.0f;
    float r = 0.0f, g = 0.0f, b = 0.0f;
    int count = 0;
};

void Accumulate(const unsigned char* p, int pixels, int bytesPerPixel, float phi, Sums& s) {
    for (int i = 0; i < pixels; ++i, p += bytesPerPixel) {
        if (p[0] == 255 || p[1] == 255 || p[2] == 255) continue;
        const float B = p[0], G = p[1], R = p[2];
        const float Y = 0.299f * R + 0.587f * G + 0.114f * B;
        const float Cb = -0.1687f * R - 0.3313f * G + 0.5f * B;
        const float Cr = 0.5f * R - 0.4187f * G - 0.0813f * B;
        const float white = static_cast<float>(static_cast<double>(Y) - std::fabs(double(Cb)) -
                                               std::fabs(double(Cr)));
        if (white > phi) {
            s.y += Y;
            s.cb += Cb;
            s.cr += Cr;
            s.r += R;
            s.g += G;
            s.b += B;
            ++s.count;
        }
    }
}

void Invert(unsigned char* p) {
    p[0] = static_cast<unsigned char>(~p[0]);
    p[1] = static_cast<unsigned char>(~p[1]);
    p[2] = static_cast<unsigned char>(~p[2]);
}

bool Inside(const ZoqFittedRegion& f, int width, int height) {
    return f.x >= 0 && f.rowOrigin >= 0 && f.width > 0 && f.x + f.width <= width &&
           f.rowOrigin + f.height <= height;
}

// One buffer row of the region. Without the border the whole run counts;
// with it, a border row is inverted entirely, any other row has its two
// border columns inverted and the runs between them counted.
void MeasureRow(unsigned char* row, const ZoqFittedRegion& f, int bpp, float phi, bool border,
                bool borderRow, Sums& s) {
    if (!border) {
        Accumulate(row, f.width, bpp, phi, s);
        return;
    }
    if (borderRow) {
        for (int i = 0; i < f.width; ++i) Invert(row + i * bpp);
        return;
    }
    const int last = f.width - 2;  // the second border column, relative to x
    Invert(row);
    int from = 1;
    if (last > 0) {
        Accumulate(row + bpp, last - 1, bpp, phi, s);
        Invert(row + last * bpp);
        from = last + 1;
    }
    Accumulate(row + from * bpp, f.width - from, bpp, phi, s);
}

// Gains from the means of Y, Cb and Cr, normalised to the strongest channel.
void GainsFromSums(const Sums& s, float gains[3]) {
    const float n = static_cast<float>(s.count);
    const float mY = s.y / n, mCb = s.cb / n, mCr = s.cr / n;
    const float t = -0.1687f * mY - 0.2365f * mCr;
    const float u = 0.701f * mCr + 0.5f * mY;
    const float o = 0.866f * mCb + 0.5f * mY;
    const float l = -0.0813f * mY - 0.1441f * mCb;
    const float m = 0.3313f * mY - 0.114f * mCb - 0.2366f * mCr;
    const float h = 0.4187f * mY - 0.1441f * mCb - 0.299f * mCr;
    gains[0] = (l * m - o * h) / (t * l - o * u);
    gains[1] = 1.0f;
    gains[2] = (m * u - h * t) / (o * u - t * l);
    float strongest = s.r;
    if (s.g > strongest) strongest = s.g;
    if (s.b > strongest) strongest = s.b;
    if (strongest == s.r) {
        const float red = gains[0];
        for (int c = 0; c < 3; ++c) gains[c] /= red;
    }
    if (strongest == s.b) {
        const float blue = gains[2];
        for (int c = 0; c < 3; ++c) gains[c] /= blue;
    }
}

}  // namespace

int ZoqMeasureWhiteBalance(unsigned char* image, int width, int height, int bitCount,
                           const ZoqFittedRegion& region, int phi, bool showRegion,
                           float gains[3]) {
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    if (region.height <= 0 || !Inside(region, width, height)) return RC_FAIL;
    const int bpp = bitCount / 8;
    const std::size_t stride = std::size_t(width) * bpp;
    const int lastRow = region.rowOrigin + region.height - 2;
    Sums sums;
    for (int y = region.rowOrigin; y < region.rowOrigin + region.height; ++y) {
        unsigned char* row = image + std::size_t(y) * stride + std::size_t(region.x) * bpp;
        MeasureRow(row, region, bpp, static_cast<float>(phi), showRegion,
                   y == region.rowOrigin || y == lastRow, sums);
    }
    if (sums.count == 0) return RC_FAIL;
    float measured[3];
    GainsFromSums(sums, measured);
    for (float g : measured)
        if (!std::isfinite(g)) return RC_FAIL;
    for (int c = 0; c < 3; ++c) gains[c] = measured[c];
    return RC_SUCCESS;
}
