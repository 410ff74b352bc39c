// Interior rows of the 3 x 3 algorithms: bilinear and the two edge-sensing
// variants differ only in how a red or blue site gets its green and its
// opposite colour.
#ifndef ZOQ_BAYER_INTERIOR3X3_H
#define ZOQ_BAYER_INTERIOR3X3_H

#include <cstdlib>

#include "BayerImage.h"

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

template <GreenRule G>
inline int GreenAtColourSite(int n, int s, int w, int e) {
    if constexpr (G == GreenRule::kFlatterAxis) {
        const int dH = std::abs(w - e);
        const int dV = std::abs(n - s);
        if (dH < dV) return (w + e) >> 1;
        if (dV < dH) return (n + s) >> 1;
    }
    return (n + s + w + e) >> 2;
}

template <DiagonalRule D>
inline int OppositeAtColourSite(int nw, int ne, int sw, int se) {
    if constexpr (D == DiagonalRule::kFlatterDiagonal) {
        const int d1 = std::abs(nw - se);
        const int d2 = std::abs(ne - sw);
        if (d1 < d2) return (nw + se) >> 1;
        if (d2 < d1) return (ne + sw) >> 1;
    }
    return (nw + ne + sw + se) >> 2;
}

// One interior row (columns 1 ... width - 2) of a row whose red or blue
// samples are channel C at column parity `parity`.
template <int Px, int C, GreenRule G, DiagonalRule D>
void Interpolate3x3Row(const std::uint8_t* __restrict up, const std::uint8_t* __restrict mid,
                       const std::uint8_t* __restrict down, std::uint8_t* __restrict out, int width, int parity) {
    constexpr int O = 2 - C;
    ForEachSite(
        1, width - 2, parity,
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

// Image rows first ... last (all inside the one-pixel frame).
template <GreenRule G, DiagonalRule D>
void Interpolate3x3Rows(Pattern pattern, const Mosaic<std::uint8_t>& mosaic, const Canvas<std::uint8_t>& canvas,
                        int first, int last) {
    WithPixelSize(canvas.pixelSize, [&](auto px) {
        for (int y = first; y <= last; ++y) {
            const RowColours row = ColoursOfRow(pattern, y);
            WithRowChannel(row.channel, [&](auto channel) {
                Interpolate3x3Row<decltype(px)::value, decltype(channel)::value, G, D>(mosaic.Row(y - 1), mosaic.Row(y), mosaic.Row(y + 1),
                                                     canvas.Row(y), mosaic.width, row.parity);
            });
        }
    });
}

}  // namespace zoqbayer

#endif
