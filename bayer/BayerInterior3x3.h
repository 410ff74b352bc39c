// Interior rows of the 3 x 3 algorithms: bilinear and the two edge-sensing
// variants differ only in how a red or blue site gets its green and its
// opposite colour.
#ifndef ZOQ_BAYER_INTERIOR3X3_H
#define ZOQ_BAYER_INTERIOR3X3_H

#include <cstdlib>

#include "BayerImage.h"
#include "BayerSimd.h"

namespace zoqbayer {

// Green at a red or blue site.
enum class GreenRule {
    kAverage,      // mean of N, S, W, E
    kFlatterAxis,  // mean along the axis with the smaller difference
};

// Opposite colour at a red or blue site.
enum class DiagonalRule {
    kAverage,          // mean of the four diagonals
    kFlatterDiagonal,  // mean along the diagonal with the smaller difference
};

// Mean of the pair (a1, a2) or (b1, b2) with the smaller difference, or of
// all four when the differences are equal.
inline int FlatterMean(int a1, int a2, int b1, int b2) {
    const int dA = std::abs(a1 - a2);
    const int dB = std::abs(b1 - b2);
    if (dA < dB) return (a1 + a2) >> 1;
    if (dB < dA) return (b1 + b2) >> 1;
    return (a1 + a2 + b1 + b2) >> 2;
}

template <GreenRule G>
inline int GreenAtColourSite(int n, int s, int w, int e) {
    if constexpr (G == GreenRule::kFlatterAxis) return FlatterMean(w, e, n, s);
    return (n + s + w + e) >> 2;
}

template <DiagonalRule D>
inline int OppositeAtColourSite(int nw, int ne, int sw, int se) {
    if constexpr (D == DiagonalRule::kFlatterDiagonal) return FlatterMean(nw, se, ne, sw);
    return (nw + ne + sw + se) >> 2;
}

// Columns first ... last of a row whose red or blue samples are channel C at
// column parity `parity`.
template <int Px, int C, GreenRule G, DiagonalRule D>
void Interpolate3x3Row(const std::uint8_t* __restrict up, const std::uint8_t* __restrict mid,
                       const std::uint8_t* __restrict down, std::uint8_t* __restrict out, int first, int last,
                       int parity) {
    constexpr int O = 2 - C;
    ForEachSite(
        first, last, parity,
        [=](int x) {
            std::uint8_t* p = out + x * Px;
            p[C] = mid[x];
            p[kGreen] = static_cast<std::uint8_t>(GreenAtColourSite<G>(up[x], down[x], mid[x - 1], mid[x + 1]));
            p[O] = static_cast<std::uint8_t>(
                OppositeAtColourSite<D>(up[x - 1], up[x + 1], down[x - 1], down[x + 1]));
        },
        [=](int x) {
            std::uint8_t* p = out + x * Px;
            p[C] = static_cast<std::uint8_t>((mid[x - 1] + mid[x + 1]) >> 1);
            p[kGreen] = mid[x];
            p[O] = static_cast<std::uint8_t>((up[x] + down[x]) >> 1);
        });
}

// The same in blocks of 32 pixels from the red or blue site x while a block
// ends before `end`; returns the first column not done.
template <int Px, int C, GreenRule G, DiagonalRule D>
ZOQ_AVX2 int Interpolate3x3Blocks(const std::uint8_t* up, const std::uint8_t* mid, const std::uint8_t* down,
                                  std::uint8_t* out, int x, int end) {
    using namespace simd;
    for (; x + kBlock <= end; x += kBlock) {
        const Vec upLeft = Load(up + x - 1), upRight = Load(up + x + 1);
        const Vec midLeft = Load(mid + x - 1), midRight = Load(mid + x + 1);
        const Vec downLeft = Load(down + x - 1), downRight = Load(down + x + 1);
        // Red or blue sites x + 2i.
        const Vec own = Odd(midLeft);
        const Vec n = Odd(upLeft), s = Odd(downLeft), w = Even(midLeft), e = Even(midRight);
        const Vec nw = Even(upLeft), ne = Even(upRight), sw = Even(downLeft), se = Even(downRight);
        const Vec green = G == GreenRule::kFlatterAxis ? FlatterMean(w, e, n, s) : Quarter(Add(n, s, w, e));
        const Vec opposite =
            D == DiagonalRule::kFlatterDiagonal ? FlatterMean(nw, se, ne, sw) : Quarter(Add(nw, ne, sw, se));
        // Green sites x + 1 + 2i: their own sample is e, their W is own.
        const Vec rowColour = Half(Add(own, Odd(midRight)));
        const Vec columnColour = Half(Add(ne, se));
        StoreSites<Px, C>(out + x * Px, Merge(own, rowColour), Merge(green, e), Merge(opposite, columnColour));
    }
    return x;
}

// Image rows first ... last (all inside the one-pixel frame).
template <GreenRule G, DiagonalRule D>
void Interpolate3x3Rows(Pattern pattern, const Mosaic<std::uint8_t>& mosaic, const Canvas<std::uint8_t>& canvas,
                        int first, int last) {
    const bool simd = simd::HasAvx2();
    WithPixelSize(canvas.pixelSize, [&](auto px) {
        constexpr int Px = decltype(px)::value;
        for (int y = first; y <= last; ++y) {
            WithRowColours(pattern, y, [&](auto channel, int parity) {
                constexpr int C = decltype(channel)::value;
                const std::uint8_t* up = mosaic.Row(y - 1);
                const std::uint8_t* mid = mosaic.Row(y);
                const std::uint8_t* down = mosaic.Row(y + 1);
                std::uint8_t* out = canvas.Row(y);
                // A block reads one column beyond its last pixel.
                simd::SplitRow(
                    simd, 1, mosaic.width - 2, parity, mosaic.width - 1,
                    [&](int a, int b) { Interpolate3x3Row<Px, C, G, D>(up, mid, down, out, a, b, parity); },
                    [&](int x, int end) { return Interpolate3x3Blocks<Px, C, G, D>(up, mid, down, out, x, end); });
            });
        }
    });
}

}  // namespace zoqbayer

#endif
