// Smooth-hue-transition members: a green pass, then red and blue from the
// ratios of the neighbours' colour to their green, in single precision.
#include "BayerBorder.h"

namespace zoqbayer {
namespace {

using Byte = std::uint8_t;

template <int Px, int C>
void GreenRow(const Byte* __restrict up, const Byte* __restrict mid, const Byte* __restrict down,
              Byte* __restrict out, int width, int parity) {
    ForEachSite(
        1, width - 2, parity,
        [=](int x) {
            Byte* p = out + x * Px;
            p[C] = mid[x];
            p[kGreen] = static_cast<Byte>((up[x] + down[x] + mid[x - 1] + mid[x + 1]) >> 2);
        },
        [=](int x) { out[x * Px + kGreen] = mid[x]; });
}

inline float Ratio(Byte sample, Byte green) { return static_cast<float>(sample) / static_cast<float>(green); }

// Above 255 saturates, anything else truncates toward zero. A zero green next
// to a zero sample makes the value not a number; it is stored as 0.
inline Byte Saturate(float value) {
    if (value > 255.0f) return 255;
    if (value >= 0.0f) return static_cast<Byte>(static_cast<int>(value));
    return 0;
}

// One row of the colour pass; `gUp`, `gMid`, `gDown` are the output rows
// y - 1, y, y + 1 of the image, whose greens are final.
template <int Px, int C>
void ColourRow(const Byte* __restrict up, const Byte* __restrict mid, const Byte* __restrict down, const Byte* gUp,
               Byte* gMid, const Byte* gDown, int width, int parity) {
    constexpr int O = 2 - C;
    const auto green = [](const Byte* row, int x) { return row[x * Px + kGreen]; };
    ForEachSite(
        1, width - 2, parity,
        [=](int x) {
            const float sum = Ratio(up[x - 1], green(gUp, x - 1)) + Ratio(up[x + 1], green(gUp, x + 1)) +
                              Ratio(down[x - 1], green(gDown, x - 1)) + Ratio(down[x + 1], green(gDown, x + 1));
            gMid[x * Px + O] = Saturate(sum * (static_cast<float>(green(gMid, x)) * 0.25f));
        },
        [=](int x) {
            const float half = static_cast<float>(green(gMid, x)) * 0.5f;
            const float column = Ratio(down[x], green(gDown, x)) + Ratio(up[x], green(gUp, x));
            const float row = Ratio(mid[x + 1], green(gMid, x + 1)) + Ratio(mid[x - 1], green(gMid, x - 1));
            gMid[x * Px + O] = Saturate(column * half);
            gMid[x * Px + C] = Saturate(row * half);
        });
}

int SmoothHue(Pattern pattern, bool flip, PreFill fill, const Byte* src, int width, int height, Byte* dst,
              unsigned short bitCount) {
    const ColourMember member{pattern, flip, fill, 1};
    return RunColourMember(member, src, width, height, dst, bitCount, [pattern](const auto& mosaic, const auto& canvas) {
        WithPixelSize(canvas.pixelSize, [&](auto px) {
            constexpr int Px = decltype(px)::value;
            const auto greenRow = [&](int y) {
                WithRowColours(pattern, y, [&](auto channel, int parity) {
                    GreenRow<Px, decltype(channel)::value>(mosaic.Row(y - 1), mosaic.Row(y), mosaic.Row(y + 1),
                                                           canvas.Row(y), mosaic.width, parity);
                });
            };
            const auto colourRow = [&](int y) {
                WithRowColours(pattern, y, [&](auto channel, int parity) {
                    ColourRow<Px, decltype(channel)::value>(mosaic.Row(y - 1), mosaic.Row(y), mosaic.Row(y + 1),
                                                            canvas.Row(y - 1), canvas.Row(y), canvas.Row(y + 1),
                                                            mosaic.width, parity);
                });
            };
            TwoPassRows(1, mosaic.height - 2, greenRow, colourRow);
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
