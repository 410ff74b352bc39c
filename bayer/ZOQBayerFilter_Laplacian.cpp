// Laplacian members: green along the flatter direction with a second-order
// correction from the same-colour samples two pixels away, then the opposite
// colour along the flatter diagonal, corrected by the green Laplacian.
#include <algorithm>
#include <cstdlib>

#include "BayerBorder.h"

namespace zoqbayer {
namespace {

using Byte = std::uint8_t;

// Corrected values can leave 0 ... 255.
inline Byte Clamp(int value) { return static_cast<Byte>(std::clamp(value, 0, 255)); }

// One green-pass row y; up2 ... down2 are mosaic rows y - 2 ... y + 2.
template <int Px, int C>
void GreenRow(const Byte* __restrict up2, const Byte* __restrict up, const Byte* __restrict mid,
              const Byte* __restrict down, const Byte* __restrict down2, Byte* __restrict out, int width,
              int parity) {
    ForEachSite(
        2, width - 3, parity,
        [=](int x) {
            const int m = mid[x];
            const int n = up[x], s = down[x], w = mid[x - 1], e = mid[x + 1];
            const int hH = 2 * m - mid[x - 2] - mid[x + 2];
            const int hV = 2 * m - up2[x] - down2[x];
            const int dH = std::abs(w - e) + std::abs(hH);
            const int dV = std::abs(n - s) + std::abs(hV);
            int g;
            if (dH < dV) {
                g = ((w + e) >> 1) + hH / 4;
            } else if (dV < dH) {
                g = ((n + s) >> 1) + hV / 4;
            } else {
                g = ((n + s + w + e) >> 2) + (hH + hV) / 8;
            }
            Byte* p = out + x * Px;
            p[kGreen] = Clamp(g);
            p[C] = static_cast<Byte>(m);
        },
        [=](int x) { out[x * Px + kGreen] = mid[x]; });
}

// One colour-pass row y; gUp, gMid, gDown are the output rows y - 1, y, y + 1
// of the image, whose greens are final.
template <int Px, int C>
void ColourRow(const Byte* __restrict up, const Byte* __restrict mid, const Byte* __restrict down, const Byte* gUp,
               Byte* gMid, const Byte* gDown, int width, int parity) {
    constexpr int O = 2 - C;
    const auto green = [](const Byte* row, int x) -> int { return row[x * Px + kGreen]; };
    ForEachSite(
        2, width - 3, parity,
        [=](int x) {
            const int g2 = 2 * green(gMid, x);
            const int t1 = g2 - green(gUp, x + 1) - green(gDown, x - 1);
            const int t2 = g2 - green(gUp, x - 1) - green(gDown, x + 1);
            const int nw = up[x - 1], ne = up[x + 1], sw = down[x - 1], se = down[x + 1];
            const int d1 = std::abs(nw - se) + std::abs(t2);
            const int d2 = std::abs(ne - sw) + std::abs(t1);
            int value;
            if (d1 < d2) {
                value = (nw + se + t2) / 2;
            } else if (d2 < d1) {
                value = (ne + sw + t1) / 2;
            } else {
                value = (nw + ne + sw + se + t1 + t2) / 4;
            }
            gMid[x * Px + O] = Clamp(value);
        },
        [=](int x) {
            Byte* p = gMid + x * Px;
            p[C] = static_cast<Byte>((mid[x - 1] + mid[x + 1]) >> 1);
            p[O] = static_cast<Byte>((up[x] + down[x]) >> 1);
        });
}

int Laplacian(Pattern pattern, bool flip, const Byte* src, int width, int height, Byte* dst,
              unsigned short bitCount) {
    const ColourMember member{pattern, flip, PreFill::kOnes, 2};
    return RunColourMember(member, src, width, height, dst, bitCount, [pattern](const auto& mosaic, const auto& canvas) {
        WithPixelSize(canvas.pixelSize, [&](auto px) {
            constexpr int Px = decltype(px)::value;
            const auto greenRow = [&](int y) {
                const RowColours row = ColoursOfRow(pattern, y);
                WithRowChannel(row.channel, [&](auto channel) {
                    GreenRow<Px, decltype(channel)::value>(mosaic.Row(y - 2), mosaic.Row(y - 1), mosaic.Row(y),
                                                           mosaic.Row(y + 1), mosaic.Row(y + 2), canvas.Row(y),
                                                           mosaic.width, row.parity);
                });
            };
            const auto colourRow = [&](int y) {
                const RowColours row = ColoursOfRow(pattern, y);
                WithRowChannel(row.channel, [&](auto channel) {
                    ColourRow<Px, decltype(channel)::value>(mosaic.Row(y - 1), mosaic.Row(y), mosaic.Row(y + 1),
                                                            canvas.Row(y - 1), canvas.Row(y), canvas.Row(y + 1),
                                                            mosaic.width, row.parity);
                });
            };
            TwoPassRows(2, mosaic.height - 3, greenRow, colourRow);
        });
    });
}

}  // namespace
}  // namespace zoqbayer

using zoqbayer::Laplacian;

ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_RGGB) {
    return Laplacian(zoqbayer::kRGGB, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_RGGB_Flip) {
    return Laplacian(zoqbayer::kRGGB, true, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_BGGR) {
    return Laplacian(zoqbayer::kBGGR, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_BGGR_Flip) {
    return Laplacian(zoqbayer::kBGGR, true, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_GRBG) {
    return Laplacian(zoqbayer::kGRBG, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_GRBG_Flip) {
    return Laplacian(zoqbayer::kGRBG, true, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_GBRG) {
    return Laplacian(zoqbayer::kGBRG, false, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_Laplacian_GBRG_Flip) {
    return Laplacian(zoqbayer::kGBRG, true, src, width, height, dst, bitCount);
}

// Kept under its C++ name for programs that bound to it that way.
ZOQ_EXPORT int ZOQCFA_Laplacian2_RGGB(unsigned char* src, int width, int height, unsigned char* dst,
                                      unsigned short bitCount) {
    return ZOQCFA_Laplacian_RGGB(src, width, height, dst, bitCount);
}
