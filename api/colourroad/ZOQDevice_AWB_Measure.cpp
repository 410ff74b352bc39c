// The six sums of the measurement are single-precision sums added pixel by
// pixel in buffer order, and every rounding counts: each sum is a chain of
// dependent additions that no second thread can shorten. So one thread
// does it all, a step of vector lanes at a time: the lanes work out the
// step's terms while the additions of the step before are still running,
// and the additions take them lane by lane. A pixel that does not count
// adds +0, which leaves a sum as it was (no sum is ever -0).
#include "colourroad/ZOQDevice_AWB_Measure.h"

#include <cmath>
#include <cstddef>
#include <cstring>

#include "colourroad/ZOQDevice_ColourImage.h"
#include "colourroad/ZOQDevice_PixelLanes.h"

namespace {

struct Sums {
    float y = 0.0f, cb = 0.0f, cr = 0.0f;
    float r = 0.0f, g = 0.0f, b = 0.0f;
    int count = 0;
};

// Adds the terms of a row's pixels 0 .. n - 1 to the sums; pixels skipA
// and skipB (the border's, or -1) do not count.
struct RowSums {
    int n;
    float phi;
    int skipA, skipB;

    template <typename Io>
    ZOQ_LANES_INLINE void Add(const unsigned char* p, int bpp, Sums& sums) const {
        constexpr int N = Io::kLanes;
        using F = typename ZoqLanes<N>::F;
        using I = typename ZoqLanes<N>::I;
        using W = zoqlanes::Wide<N>;
        unsigned char padded[zoqlanes::Step<Io>::kPaddedBytes];
        float y = sums.y, cb = sums.cb, cr = sums.cr, r = sums.r, g = sums.g, b = sums.b;
        I counted = {};
        using F8 = typename ZoqLanes<8>::F;
        [[maybe_unused]] F8 all = {y, cb, cr, r, g, b, 0.0f, 0.0f};  // the sums in lanes
        for (int first = 0; first < n; first += N) {
            const zoqlanes::Step<Io> step(const_cast<unsigned char*>(p), std::size_t(n),
                                          std::size_t(first), bpp, padded);
            const ZoqPixelLanes<N> px = step.Pixels();
            const F B = __builtin_convertvector(px.b, F);
            const F G = __builtin_convertvector(px.g, F);
            const F R = __builtin_convertvector(px.r, F);
            const F Y = 0.299f * R + 0.587f * G + 0.114f * B;
            const F Cb = -0.1687f * R - 0.3313f * G + 0.5f * B;
            const F Cr = 0.5f * R - 0.4187f * G - 0.0813f * B;
            auto magnitude = [](F v) { return (F)((I)v & 0x7FFFFFFF); };
            const typename W::Pair wy = W::Widen(Y), wcb = W::Widen(magnitude(Cb)),
                                   wcr = W::Widen(magnitude(Cr));
            const F white = W::Narrow({(wy.lo - wcb.lo) - wcr.lo, (wy.hi - wcb.hi) - wcr.hi});
            const I index = first + zoqlanes::Iota<I>();
            const I counts = (index != skipA) & (index != skipB) & (index < n) & (px.b != 255) &
                             (px.g != 255) & (px.r != 255) & (white > phi);
            counted -= counts;
            const F zero = zoqlanes::Splat<F>(0.0f);
            const F terms[6] = {
                zoqlanes::Select(counts, Y, zero),  zoqlanes::Select(counts, Cb, zero),
                zoqlanes::Select(counts, Cr, zero), zoqlanes::Select(counts, R, zero),
                zoqlanes::Select(counts, G, zero),  zoqlanes::Select(counts, B, zero)};
            if constexpr (N == 8) {
                // The step's terms turned into one vector a pixel, so that
                // one addition adds a pixel to all six sums, each lane in
                // its own order.
                const F(&t)[6] = terms;
                const F a0 = __builtin_shufflevector(t[0], t[1], 0, 8, 1, 9, 4, 12, 5, 13);
                const F a1 = __builtin_shufflevector(t[0], t[1], 2, 10, 3, 11, 6, 14, 7, 15);
                const F a2 = __builtin_shufflevector(t[2], t[3], 0, 8, 1, 9, 4, 12, 5, 13);
                const F a3 = __builtin_shufflevector(t[2], t[3], 2, 10, 3, 11, 6, 14, 7, 15);
                const F a4 = __builtin_shufflevector(t[4], t[5], 0, 8, 1, 9, 4, 12, 5, 13);
                const F a5 = __builtin_shufflevector(t[4], t[5], 2, 10, 3, 11, 6, 14, 7, 15);
                const F b0 = __builtin_shufflevector(a0, a2, 0, 1, 8, 9, 4, 5, 12, 13);
                const F b1 = __builtin_shufflevector(a0, a2, 2, 3, 10, 11, 6, 7, 14, 15);
                const F b2 = __builtin_shufflevector(a1, a3, 0, 1, 8, 9, 4, 5, 12, 13);
                const F b3 = __builtin_shufflevector(a1, a3, 2, 3, 10, 11, 6, 7, 14, 15);
                const F b4 = __builtin_shufflevector(a4, zero, 0, 1, 8, 9, 4, 5, 12, 13);
                const F b5 = __builtin_shufflevector(a4, zero, 2, 3, 10, 11, 6, 7, 14, 15);
                const F b6 = __builtin_shufflevector(a5, zero, 0, 1, 8, 9, 4, 5, 12, 13);
                const F b7 = __builtin_shufflevector(a5, zero, 2, 3, 10, 11, 6, 7, 14, 15);
                all += __builtin_shufflevector(b0, b4, 0, 1, 2, 3, 8, 9, 10, 11);
                all += __builtin_shufflevector(b1, b5, 0, 1, 2, 3, 8, 9, 10, 11);
                all += __builtin_shufflevector(b2, b6, 0, 1, 2, 3, 8, 9, 10, 11);
                all += __builtin_shufflevector(b3, b7, 0, 1, 2, 3, 8, 9, 10, 11);
                all += __builtin_shufflevector(b0, b4, 4, 5, 6, 7, 12, 13, 14, 15);
                all += __builtin_shufflevector(b1, b5, 4, 5, 6, 7, 12, 13, 14, 15);
                all += __builtin_shufflevector(b2, b6, 4, 5, 6, 7, 12, 13, 14, 15);
                all += __builtin_shufflevector(b3, b7, 4, 5, 6, 7, 12, 13, 14, 15);
            } else {
                float t[6][N];
                for (int k = 0; k < 6; ++k) std::memcpy(t[k], &terms[k], sizeof terms[k]);
                const int lanes = n - first < N ? n - first : N;
                for (int i = 0; i < lanes; ++i) {
                    y += t[0][i];
                    cb += t[1][i];
                    cr += t[2][i];
                    r += t[3][i];
                    g += t[4][i];
                    b += t[5][i];
                }
            }
        }
        if constexpr (N == 8) {
            y = all[0], cb = all[1], cr = all[2], r = all[3], g = all[4], b = all[5];
        }
        sums.y = y, sums.cb = cb, sums.cr = cr, sums.r = r, sums.g = g, sums.b = b;
        for (int i = 0; i < N; ++i) sums.count += counted[i];
    }
};

void AddSse2(const RowSums& row, const unsigned char* p, int bpp, Sums& sums) {
    row.Add<zoqlanes::Sse2>(p, bpp, sums);
}
ZOQ_LANES_AVX2 void AddAvx2(const RowSums& row, const unsigned char* p, int bpp, Sums& sums) {
    row.Add<zoqlanes::Avx2>(p, bpp, sums);
}

void Invert(unsigned char* p) {
    p[0] = static_cast<unsigned char>(~p[0]);
    p[1] = static_cast<unsigned char>(~p[1]);
    p[2] = static_cast<unsigned char>(~p[2]);
}

// The measured region of one image, row by row.
class Rows {
public:
    Rows(unsigned char* image, int width, int bpp, const ZoqFittedRegion& f, float phi, bool border)
        : m_image(image),
          m_stride(std::size_t(width) * bpp),
          m_bpp(bpp),
          m_f(f),
          m_phi(phi),
          m_border(border) {}

    int Count() const { return m_f.height; }

    // A row of the border is inverted and adds nothing.
    bool Adds(int row) const { return !(m_border && (row == 0 || row == m_f.height - 2)); }

    void InvertBorder(int row) const {
        if (!m_border) return;
        unsigned char* p = Row(row);
        if (!Adds(row)) {
            for (int i = 0; i < m_f.width; ++i) Invert(p + i * m_bpp);
            return;
        }
        Invert(p);
        if (m_f.width - 2 > 0) Invert(p + (m_f.width - 2) * m_bpp);
    }

    // Every row in order, into sums.
    void Add(Sums& sums) const {
        const RowSums row{m_f.width, m_phi, m_border ? 0 : -1, m_border ? m_f.width - 2 : -1};
        const bool avx2 = ZoqUseAvx2();
        for (int i = 0; i < m_f.height; ++i) {
            InvertBorder(i);
            if (!Adds(i)) continue;
            if (avx2)
                AddAvx2(row, Row(i), m_bpp, sums);
            else
                AddSse2(row, Row(i), m_bpp, sums);
        }
    }

private:
    unsigned char* Row(int row) const {
        return m_image + std::size_t(m_f.rowOrigin + row) * m_stride + std::size_t(m_f.x) * m_bpp;
    }

    unsigned char* m_image;
    std::size_t m_stride;
    int m_bpp;
    ZoqFittedRegion m_f;
    float m_phi;
    bool m_border;
};

bool Inside(const ZoqFittedRegion& f, int width, int height) {
    return f.x >= 0 && f.rowOrigin >= 0 && f.width > 0 && f.x + f.width <= width &&
           f.rowOrigin + f.height <= height;
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

int ZoqWhiteBalanceMeter::Measure(unsigned char* image, int width, int height, int bitCount,
                                  const ZoqFittedRegion& region, int phi, bool showRegion,
                                  float gains[3]) {
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    if (region.height <= 0 || !Inside(region, width, height)) return RC_FAIL;
    const Rows rows(image, width, bitCount / 8, region, static_cast<float>(phi), showRegion);
    Sums sums;
    rows.Add(sums);
    if (sums.count == 0) return RC_FAIL;
    float measured[3];
    GainsFromSums(sums, measured);
    for (float g : measured)
        if (!std::isfinite(g)) return RC_FAIL;
    for (int c = 0; c < 3; ++c) gains[c] = measured[c];
    return RC_SUCCESS;
}

int ZoqMeasureWhiteBalance(unsigned char* image, int width, int height, int bitCount,
                           const ZoqFittedRegion& region, int phi, bool showRegion,
                           float gains[3]) {
    ZoqWhiteBalanceMeter meter;
    return meter.Measure(image, width, height, bitCount, region, phi, showRegion, gains);
}
