// Two-pass interiors (smooth hue, Laplacian): a green pass, then a colour
// pass that reads the greens of the rows above and below. The image is done
// in strips of columns, and for each strip the greens of three rows are kept
// as planes on the stack, so the colour pass reads them without gathering
// them from interleaved pixels and writes every interior pixel once.
#ifndef ZOQ_BAYER_GREEN_PLANES_H
#define ZOQ_BAYER_GREEN_PLANES_H

#include <algorithm>

#include "BayerBorder.h"
#include "BayerImage.h"
#include "BayerSimd.h"

namespace zoqbayer {

// Columns a strip covers; three planes take about 12 KB of stack.
inline constexpr int kStrip = 4096;

// Greens of one image row over a strip's columns and one column either side,
// with room for a block reading past its last column.
struct GreenPlane {
    std::uint8_t values[kStrip + 2 + simd::kBlock];
    int firstColumn;

    std::uint8_t* At(int x) { return values + (x - firstColumn); }
    const std::uint8_t* At(int x) const { return values + (x - firstColumn); }
};

// Greens of the image rows y - 1, y, y + 1.
struct Planes3 {
    const GreenPlane& up;
    const GreenPlane& mid;
    const GreenPlane& down;
};

// Runs the interior inside a frame `margin` pixels wide (already written):
// greenRow(y, first, last, plane) puts the greens of interior row y, columns
// first ... last, into the plane; colourRow(y, planes, first, last) writes the
// whole pixels of row y. Frame greens follow the border block rule, taken
// from the mosaic row rather than the output, which is no longer in cache.
template <typename GreenRow, typename ColourRow>
void TwoPassStrips(Pattern pattern, const Mosaic<std::uint8_t>& mosaic, int margin, GreenRow&& greenRow,
                   ColourRow&& colourRow) {
    const int top = margin, bottom = mosaic.height - 1 - margin;
    const int left = margin, right = mosaic.width - 1 - margin;
    if (top > bottom || left > right) return;
    for (int first = left; first <= right; first += kStrip) {
        const int last = std::min(first + kStrip - 1, right);
        GreenPlane planes[3];
        for (GreenPlane& plane : planes) plane.firstColumn = first - 1;
        const auto fill = [&](int y) {
            GreenPlane& plane = planes[y % 3];
            const auto fromFrame = [&](int from, int to) {
                for (int x = from; x <= to; ++x) *plane.At(x) = BorderGreen(pattern, mosaic, x, y);
            };
            if (y < top || y > bottom) {
                fromFrame(first - 1, last + 1);
                return;
            }
            fromFrame(first - 1, std::min(last + 1, left - 1));
            fromFrame(std::max(first - 1, right + 1), last + 1);
            greenRow(y, std::max(first - 1, left), std::min(last + 1, right), plane);
        };
        fill(top - 1);
        fill(top);
        for (int y = top; y <= bottom; ++y) {
            fill(y + 1);
            colourRow(y, Planes3{planes[(y - 1) % 3], planes[y % 3], planes[(y + 1) % 3]}, first, last);
        }
    }
}

}  // namespace zoqbayer

#endif
