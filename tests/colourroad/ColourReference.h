// Reference arithmetic of the colour stages, written pixel by pixel the
// plain way, for the tests to compare the library's results against.
#pragma once

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace colourref {

using Image = std::vector<unsigned char>;

// Bytes of a reproducible random image.
inline Image RandomImage(std::size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(0, 255);
    Image image(bytes);
    for (auto& v : image) v = static_cast<unsigned char>(value(random));
    return image;
}

inline unsigned char Clip(double v) { return v > 255.0 ? 255 : (v < 0.0 ? 0 : (unsigned char)v); }

// Gain table entry: (double)((float)i * gain) + 0.5, clipped, truncated.
inline unsigned char GainEntry(int i, float gain) {
    return Clip(static_cast<double>(static_cast<float>(i) * gain) + 0.5);
}

// gains: red, green, blue.
inline void ApplyGains(Image& image, int bpp, const float gains[3]) {
    for (std::size_t i = 0; i + 2 < image.size(); i += bpp) {
        image[i] = GainEntry(image[i], gains[2]);
        image[i + 1] = GainEntry(image[i + 1], gains[1]);
        image[i + 2] = GainEntry(image[i + 2], gains[0]);
    }
}

inline void ApplyMatrix(Image& image, int bpp, const float m[3][3]) {
    for (std::size_t i = 0; i + 2 < image.size(); i += bpp) {
        const float R = image[i + 2], G = image[i + 1], B = image[i];
        float out[3];
        for (int row = 0; row < 3; ++row) {
            float v = m[row][0] * R + m[row][1] * G;
            v = v + m[row][2] * B;
            out[row] = v;
        }
        image[i + 2] = Clip(out[0]);
        image[i + 1] = Clip(out[1]);
        image[i] = Clip(out[2]);
    }
}

// White-balance measurement over buffer rows r0 .. r0 + h - 1 and columns
// x0 .. x0 + w - 1, one pixel at a time as the rule reads. Returns false
// (gains untouched) when no pixel counts.
inline bool Measure(Image& image, int width, int bpp, int x0, int r0, int w, int h, int phi,
                    bool show, float gains[3]) {
    float sY = 0, sCb = 0, sCr = 0, sR = 0, sG = 0, sB = 0;
    int count = 0;
    for (int row = r0; row < r0 + h; ++row)
        for (int col = x0; col < x0 + w; ++col) {
            unsigned char* p = &image[(std::size_t(row) * width + col) * bpp];
            if (show && (row == r0 || row == r0 + h - 2 || col == x0 || col == x0 + w - 2)) {
                for (int c = 0; c < 3; ++c) p[c] = static_cast<unsigned char>(255 - p[c]);
                continue;
            }
            if (p[0] == 255 || p[1] == 255 || p[2] == 255) continue;
            float B = p[0], G = p[1], R = p[2];
            float Y = 0.299f * R + 0.587f * G + 0.114f * B;
            float Cb = -0.1687f * R - 0.3313f * G + 0.5f * B;
            float Cr = 0.5f * R - 0.4187f * G - 0.0813f * B;
            double white = double(Y) - std::fabs(double(Cb));
            white -= std::fabs(double(Cr));
            if (float(white) > float(phi)) {
                sY += Y, sCb += Cb, sCr += Cr, sR += R, sG += G, sB += B;
                ++count;
            }
        }
    if (count == 0) return false;
    float mY = sY / count, mCb = sCb / count, mCr = sCr / count;
    float t = -0.1687f * mY - 0.2365f * mCr, u = 0.701f * mCr + 0.5f * mY;
    float o = 0.866f * mCb + 0.5f * mY, l = -0.0813f * mY - 0.1441f * mCb;
    float m = 0.3313f * mY - 0.114f * mCb - 0.2366f * mCr;
    float hh = 0.4187f * mY - 0.1441f * mCb - 0.299f * mCr;
    float g[3] = {(l * m - o * hh) / (t * l - o * u), 1.0f, (m * u - hh * t) / (o * u - t * l)};
    float s = std::fmax(sR, std::fmax(sG, sB));
    if (s == sR) {
        float red = g[0];
        for (float& v : g) v /= red;
    }
    if (s == sB) {
        float blue = g[2];
        for (float& v : g) v /= blue;
    }
    for (int c = 0; c < 3; ++c) gains[c] = g[c];
    return true;
}

}  // namespace colourref
