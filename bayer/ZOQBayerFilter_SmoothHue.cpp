// Smooth-hue-transition members: a green pass, then red and blue from the
// ratios of the neighbours' colour to their green, in single precision.
#include "BayerBorder.h"
#include "BayerGreenPlanes.h"

namespace zoqbayer {
namespace {

using Byte = std::uint8_t;

// Green pass into a plane: the mean of N, S, W, E at red and blue sites.
void GreenRow(const Byte* up, const Byte* mid, const Byte* down, GreenPlane& plane, int first, int last,
              int parity) {
    ForEachSite(
        first, last, parity,
        [&](int x) { *plane.At(x) = static_cast<Byte>((up[x] + down[x] + mid[x - 1] + mid[x + 1]) >> 2); },
        [&](int x) { *plane.At(x) = mid[x]; });
}

ZOQ_AVX2 int GreenBlocks(const Byte* up, const Byte* mid, const Byte* down, GreenPlane& plane, int x, int end) {
    using namespace simd;
    for (; x + kBlock <= end; x += kBlock) {
        const Vec e = Even(Load(mid + x + 1));
        const Vec all = Quarter(Add(Even(Load(up + x)), Even(Load(down + x)), Even(Load(mid + x - 1)), e));
        _mm256_storeu_si256(reinterpret_cast<Vec*>(plane.At(x)), Merge(all, e));
    }
    return x;
}

inline float Ratio(Byte sample, Byte green) { return static_cast<float>(sample) / static_cast<float>(green); }

// Above 255 saturates, anything else truncates toward zero. A zero green next
// to a zero sample makes the value not a number; it is stored as 0.
inline Byte Saturate(float value) {
    if (value > 255.0f) return 255;
    if (value >= 0.0f) return static_cast<Byte>(static_cast<int>(value));
    return 0;
}

// Colour pass, columns first ... last of row y: writes whole pixels.
template <int Px, int C>
void ColourRow(const Byte* up, const Byte* mid, const Byte* down, const Planes3& greens, Byte* out, int first,
               int last, int parity) {
    constexpr int O = 2 - C;
    const auto g = [](const GreenPlane& plane, int x) { return *plane.At(x); };
    ForEachSite(
        first, last, parity,
        [&](int x) {
            const float sum = Ratio(up[x - 1], g(greens.up, x - 1)) + Ratio(up[x + 1], g(greens.up, x + 1)) +
                              Ratio(down[x - 1], g(greens.down, x - 1)) + Ratio(down[x + 1], g(greens.down, x + 1));
            const Byte c = g(greens.mid, x);
            Byte* p = out + x * Px;
            p[C] = mid[x];
            p[kGreen] = c;
            p[O] = Saturate(sum * (static_cast<float>(c) * 0.25f));
        },
        [&](int x) {
            const Byte c = g(greens.mid, x);
            const float half = static_cast<float>(c) * 0.5f;
            const float column = Ratio(down[x], g(greens.down, x)) + Ratio(up[x], g(greens.up, x));
            const float row = Ratio(mid[x + 1], g(greens.mid, x + 1)) + Ratio(mid[x - 1], g(greens.mid, x - 1));
            Byte* p = out + x * Px;
            p[C] = Saturate(row * half);
            p[kGreen] = c;
            p[O] = Saturate(column * half);
        });
}

template <int Px, int C>
ZOQ_AVX2 int ColourBlocks(const Byte* up, const Byte* mid, const Byte* down, const Planes3& greens, Byte* out, int x,
                          int end) {
    using namespace simd;
    const auto ratio = [](Vec samples, Vec greens16) ZOQ_AVX2 { return Divide(ToFloats(samples), ToFloats(greens16)); };
    for (; x + kBlock <= end; x += kBlock) {
        // Ratios at the diagonals of the red or blue sites x + 2i; NE and SE
        // are also the N and S of the green sites x + 1 + 2i.
        const Floats16 rNW = ratio(Even(Load(up + x - 1)), Even(Load(greens.up.At(x - 1))));
        const Floats16 rNE = ratio(Even(Load(up + x + 1)), Even(Load(greens.up.At(x + 1))));
        const Floats16 rSW = ratio(Even(Load(down + x - 1)), Even(Load(greens.down.At(x - 1))));
        const Floats16 rSE = ratio(Even(Load(down + x + 1)), Even(Load(greens.down.At(x + 1))));
        const Vec centre = Load(mid + x), right = Load(mid + x + 1);
        const Vec rowGreens = Load(greens.mid.At(x)), rightGreens = Load(greens.mid.At(x + 1));
        const Floats16 quarter = Times(ToFloats(Even(rowGreens)), 0.25f);
        const Vec opposite = Saturate(Times(Plus(Plus(Plus(rNW, rNE), rSW), rSE), quarter));
        // Green sites: W is the red or blue site x + 2i, E the next one.
        const Floats16 half = Times(ToFloats(Odd(rowGreens)), 0.5f);
        const Vec column = Saturate(Times(Plus(rSE, rNE), half));
        const Floats16 rW = ratio(Even(centre), Even(rowGreens));
        const Floats16 rE = ratio(Odd(right), Odd(rightGreens));
        const Vec row = Saturate(Times(Plus(rE, rW), half));
        StoreSites<Px, C>(out + x * Px, Merge(Even(centre), row), rowGreens, Merge(opposite, column));
    }
    return x;
}

int SmoothHue(Pattern pattern, bool flip, PreFill fill, const Byte* src, int width, int height, Byte* dst,
              unsigned short bitCount) {
    const ColourMember member{pattern, flip, fill, 1};
    return RunColourMember(member, src, width, height, dst, bitCount, [pattern](const auto& mosaic, const auto& canvas) {
        const bool simd = simd::HasAvx2();
        // Blocks read one column beyond their last pixel.
        const auto blockEnd = [&](int last) { return std::min(last + 1, mosaic.width - 1); };
        WithPixelSize(canvas.pixelSize, [&](auto px) {
            constexpr int Px = decltype(px)::value;
            const auto greenRow = [&](int y, int first, int last, GreenPlane& plane) {
                const Byte* up = mosaic.Row(y - 1);
                const Byte* mid = mosaic.Row(y);
                const Byte* down = mosaic.Row(y + 1);
                const int parity = ColoursOfRow(pattern, y).parity;
                simd::SplitRow(
                    simd, first, last, parity, blockEnd(last),
                    [&](int a, int b) { GreenRow(up, mid, down, plane, a, b, parity); },
                    [&](int x, int end) { return GreenBlocks(up, mid, down, plane, x, end); });
            };
            const auto colourRow = [&](int y, const Planes3& greens, int first, int last) {
                const Byte* up = mosaic.Row(y - 1);
                const Byte* mid = mosaic.Row(y);
                const Byte* down = mosaic.Row(y + 1);
                Byte* out = canvas.Row(y);
                WithRowColours(pattern, y, [&](auto channel, int parity) {
                    constexpr int C = decltype(channel)::value;
                    simd::SplitRow(
                        simd, first, last, parity, blockEnd(last),
                        [&](int a, int b) { ColourRow<Px, C>(up, mid, down, greens, out, a, b, parity); },
                        [&](int x, int end) { return ColourBlocks<Px, C>(up, mid, down, greens, out, x, end); });
                });
            };
            TwoPassStrips(pattern, mosaic, 1, greenRow, colourRow);
        });
    });
}

}  // namespace
}  // namespace zoqbayer

using zoqbayer::PreFill;
using zoqbayer::SmoothHue;

ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_RGGB) {
    return SmoothHue(zoqbayer::kRGGB, false, PreFill::kNone, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_RGGB_Flip) {
    return SmoothHue(zoqbayer::kRGGB, true, PreFill::kNone, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_BGGR) {
    return SmoothHue(zoqbayer::kBGGR, false, PreFill::kNone, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_BGGR_Flip) {
    return SmoothHue(zoqbayer::kBGGR, true, PreFill::kZerosRgb24, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_GRBG) {
    return SmoothHue(zoqbayer::kGRBG, false, PreFill::kNone, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_GRBG_Flip) {
    return SmoothHue(zoqbayer::kGRBG, true, PreFill::kNone, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_GBRG) {
    return SmoothHue(zoqbayer::kGBRG, false, PreFill::kNone, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_SmoothHue_GBRG_Flip) {
    return SmoothHue(zoqbayer::kGBRG, true, PreFill::kNone, src, width, height, dst, bitCount);
}
