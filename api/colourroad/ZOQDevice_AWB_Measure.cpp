// The six sums of the measurement are single-precision sums added pixel by
// pixel in buffer order, and every rounding counts. The pixels' terms are
// worked out in parallel, a batch of rows at a time, while one thread adds
// the batch before, in order; a pixel that does not count adds +0, which
// leaves a sum as it was (no sum is ever -0).
#include "colourroad/ZOQDevice_AWB_Measure.h"

#include <tbb/parallel_invoke.h>

#include <cmath>
#include <cstddef>
#include <cstring>

#include "colourroad/ZOQDevice_ColourImage.h"
#include "colourroad/ZOQDevice_PixelLanes.h"
#include "geometry/ZOQDevice_RowBlocks.h"

namespace {

constexpr int kTerms = 6;            // Y, Cb, Cr, R, G, B
constexpr int kBatchPixels = 32768;  // at least, in whole rows
constexpr int kPiece = 256;          // pixels a piece when the rows are added here

struct Sums {
    float y = 0.0f, cb = 0.0f, cr = 0.0f;
    float r = 0.0f, g = 0.0f, b = 0.0f;
    int count = 0;
};

// The floats between one term's array and the next, for n pixels: room for
// a whole last step of vector lanes.
int Stride(int n) {
    return (n + 7) & ~7;
}

// The terms of the pixels of a row into six arrays `stride` apart, +0 for a
// pixel that does not count; pixels skipA and skipB (the border's, or -1)
// and those from n on do not count. Read answers 1 in the lanes that count.
struct TermKernel {
    float* t;
    int stride;
    int n;
    float phi;
    int skipA, skipB;

    template <int N>
    ZOQ_LANES_INLINE typename ZoqLanes<N>::I Read(ZoqPixelLanes<N>& px, int first) const {
        using F = typename ZoqLanes<N>::F;
        using I = typename ZoqLanes<N>::I;
        using W = zoqlanes::Wide<N>;
        const F B = __builtin_convertvector(px.b, F);
        const F G = __builtin_convertvector(px.g, F);
        const F R = __builtin_convertvector(px.r, F);
        const F Y = 0.299f * R + 0.587f * G + 0.114f * B;
        const F Cb = -0.1687f * R - 0.3313f * G + 0.5f * B;
        const F Cr = 0.5f * R - 0.4187f * G - 0.0813f * B;
        auto magnitude = [](F v) { return (F)((I)v & 0x7FFFFFFF); };
        const typename W::Pair y = W::Widen(Y), cb = W::Widen(magnitude(Cb)),
                               cr = W::Widen(magnitude(Cr));
        const F white = W::Narrow({(y.lo - cb.lo) - cr.lo, (y.hi - cb.hi) - cr.hi});
        const I index = first + zoqlanes::Iota<I>();
        const I counts = (index != skipA) & (index != skipB) & (index < n) & (px.b != 255) &
                         (px.g != 255) & (px.r != 255) & (white > phi);
        const F zero = zoqlanes::Splat<F>(0.0f);
        const F terms[kTerms] = {Y, Cb, Cr, R, G, B};
        for (int k = 0; k < kTerms; ++k) {
            const F v = zoqlanes::Select(counts, terms[k], zero);
            std::memcpy(t + k * stride + first, &v, sizeof v);
        }
        return counts & 1;
    }
};

// Adds `n` pixels' terms, one pixel after the other. The sums live in
// locals for the loop: in the struct, every store could change the terms
// for all the compiler knows, and each addition would wait for a store and
// a load besides the addition before it.
void Add(const float* t, int n, Sums& s) {
    const int stride = Stride(n);
    const float* cb = t + stride;
    const float* cr = t + 2 * stride;
    const float* r = t + 3 * stride;
    const float* g = t + 4 * stride;
    const float* b = t + 5 * stride;
    float sy = s.y, scb = s.cb, scr = s.cr, sr = s.r, sg = s.g, sb = s.b;
    for (int i = 0; i < n; ++i) {
        sy += t[i];
        scb += cb[i];
        scr += cr[i];
        sr += r[i];
        sg += g[i];
        sb += b[i];
    }
    s.y = sy;
    s.cb = scb;
    s.cr = scr;
    s.r = sr;
    s.g = sg;
    s.b = sb;
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
    int Width() const { return m_f.width; }

    // A row of the border is inverted and adds nothing.
    bool Adds(int row) const { return !(m_border && (row == 0 || row == m_f.height - 2)); }

    // The terms of `n` pixels of a row from column `from` into t (six
    // arrays Stride(n) apart); the number that count.
    int Terms(int row, int from, int n, float* t) const {
        const TermKernel kernel{
            t, Stride(n), n, m_phi, m_border ? -from : -1, m_border ? m_f.width - 2 - from : -1};
        return ZoqReadPixelLanes(kernel, Row(row) + std::size_t(from) * m_bpp, std::size_t(n),
                                 m_bpp);
    }

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

    // Rows first .. end - 1 added here, in pieces.
    void AddHere(int first, int end, Sums& sums) const {
        float t[kTerms * kPiece];  // kPiece is a whole number of steps
        for (int row = first; row < end; ++row) {
            InvertBorder(row);
            if (!Adds(row)) continue;
            for (int from = 0; from < m_f.width; from += kPiece) {
                const int n = m_f.width - from < kPiece ? m_f.width - from : kPiece;
                sums.count += Terms(row, from, n, t);
                Add(t, n, sums);
            }
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
    const int batchRows = (kBatchPixels + rows.Width() - 1) / rows.Width();
    const int batches = (rows.Count() + batchRows - 1) / batchRows;
    const std::size_t rowFloats = std::size_t(Stride(rows.Width())) * kTerms;
    const std::size_t batchFloats = rowFloats * batchRows;
    Sums sums;
    int added = 0;  // batches added, in order
    bool room = batches > 1;
    if (room && m_terms.size() < 2 * batchFloats) {
        try {
            m_terms.resize(2 * batchFloats);
        } catch (...) {
            room = false;
        }
    }
    if (room) {
        // Batch b has the terms of its rows in half b % 2 of the working
        // space: one thread adds batch b while the others work out b + 1.
        int counts[2] = {};
        auto first = [&](int b) { return b * batchRows; };
        auto end = [&](int b) {
            return first(b) + batchRows < rows.Count() ? first(b) + batchRows : rows.Count();
        };
        auto work = [&](int b) {
            float* t = m_terms.data() + (b % 2) * batchFloats;
            int shares[ZoqRowBlocks::kMaxBlocks] = {};
            const ZoqRowBlocks blocks(end(b) - first(b), rowFloats * sizeof(float),
                                      ZoqRowBlocks::kHeavyBytes);
            blocks.Run([&](int block, int begin, int stop) {
                for (int i = begin; i < stop; ++i)
                    if (rows.Adds(first(b) + i))
                        shares[block] +=
                            rows.Terms(first(b) + i, 0, rows.Width(), t + i * rowFloats);
            });
            counts[b % 2] = 0;
            for (int k = 0; k < blocks.Count(); ++k) counts[b % 2] += shares[k];
        };
        auto add = [&](int b) {
            const float* t = m_terms.data() + (b % 2) * batchFloats;
            for (int row = first(b); row < end(b); ++row, t += rowFloats) {
                rows.InvertBorder(row);
                if (rows.Adds(row)) Add(t, rows.Width(), sums);
            }
            sums.count += counts[b % 2];
            ++added;
        };
        try {
            work(0);
            for (int b = 0; b + 1 < batches; ++b)
                tbb::parallel_invoke([&] { add(b); }, [&] { work(b + 1); });
            add(batches - 1);
        } catch (...) {
            // The batches not added yet are added below.
        }
    }
    rows.AddHere(added * batchRows, rows.Count(), sums);
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
