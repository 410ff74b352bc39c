// Laplacian members: green along the flatter direction with a second-order
// correction from the same-colour samples two pixels away, then the opposite
// colour along the flatter diagonal, corrected by the green Laplacian.
#include <algorithm>
#include <cstdlib>

#include "BayerBorder.h"
#include "BayerSimd.h"

namespace zoqbayer {
namespace {

using Byte = std::uint8_t;

// Corrected values can leave 0 ... 255.
inline Byte Clamp(int value) { return static_cast<Byte>(std::clamp(value, 0, 255)); }

// Mosaic rows y - 2 ... y + 2 around row y.
struct Rows5 {
    const Byte* up2;
    const Byte* up;
    const Byte* mid;
    const Byte* down;
    const Byte* down2;
};

// Output rows y - 1, y, y + 1 of the image.
struct Out3 {
    const Byte* up;
    Byte* mid;
    const Byte* down;
};

// Green pass, columns first ... last of row y.
template <int Px, int C>
void GreenRow(const Rows5& rows, Byte* __restrict out, int first, int last, int parity) {
    const Byte* __restrict up2 = rows.up2;
    const Byte* __restrict up = rows.up;
    const Byte* __restrict mid = rows.mid;
    const Byte* __restrict down = rows.down;
    const Byte* __restrict down2 = rows.down2;
    ForEachSite(
        first, last, parity,
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

// Colour pass, columns first ... last of row y; the greens of the output rows
// around it are final.
template <int Px, int C>
void ColourRow(const Rows5& rows, const Out3& outRows, int first, int last, int parity) {
    constexpr int O = 2 - C;
    const Byte* __restrict up = rows.up;
    const Byte* __restrict mid = rows.mid;
    const Byte* __restrict down = rows.down;
    const Byte* gUp = outRows.up;
    Byte* gMid = outRows.mid;
    const Byte* gDown = outRows.down;
    const auto green = [](const Byte* row, int x) -> int { return row[x * Px + kGreen]; };
    ForEachSite(
        first, last, parity,
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

// Both passes in blocks of 32 pixels from the red or blue site x, while a
// block ends before `end`; they write whole pixels, the green pass with a
// placeholder opposite colour that the colour pass replaces.
template <int Px, int C>
ZOQ_AVX2 int GreenBlocks(const Rows5& rows, Byte* out, int x, int end) {
    using namespace simd;
    for (; x + kBlock <= end; x += kBlock) {
        const Vec left = Load(rows.mid + x - 2), centre = Load(rows.mid + x), right = Load(rows.mid + x + 2);
        const Vec upCentre = Load(rows.up + x), downCentre = Load(rows.down + x);
        // Red or blue sites x + 2i.
        const Vec m = Even(centre), w = Odd(left), e = Odd(centre);
        const Vec n = Even(upCentre), s = Even(downCentre);
        const Vec hH = Sub(Sub(Twice(m), Even(left)), Even(right));
        const Vec hV = Sub(Sub(Twice(m), Even(Load(rows.up2 + x))), Even(Load(rows.down2 + x)));
        const Vec dH = Add(AbsDiff(w, e), Abs(hH));
        const Vec dV = Add(AbsDiff(n, s), Abs(hV));
        const Vec alongRow = Add(Half(Add(w, e)), DivPow2<2>(hH));
        const Vec alongColumn = Add(Half(Add(n, s)), DivPow2<2>(hV));
        const Vec all = Add(Quarter(Add(n, s, w, e)), DivPow2<3>(Add(hH, hV)));
        const Vec green = Clamp255(Choose(dH, dV, alongRow, alongColumn, all));
        // Green sites x + 1 + 2i: own sample e, W is m, E the next site.
        const Vec rowColour = Half(Add(m, Even(right)));
        const Vec columnColour = Half(Add(Odd(upCentre), Odd(downCentre)));
        StoreSites<Px, C>(out + x * Px, Merge(m, rowColour), Merge(green, e), Merge(Zero(), columnColour));
    }
    return x;
}

template <int Px, int C>
ZOQ_AVX2 int ColourBlocks(const Rows5& rows, const Out3& outRows, int x, int end) {
    using namespace simd;
    for (; x + kBlock <= end; x += kBlock) {
        const Vec nw = Even(Load(rows.up + x - 1)), ne = Even(Load(rows.up + x + 1));
        const Vec sw = Even(Load(rows.down + x - 1)), se = Even(Load(rows.down + x + 1));
        const Vec greens = LoadGreens<Px>(outRows.mid + x * Px);
        const Vec g2 = Twice(Even(greens));
        const Vec gNW = Even(LoadGreens<Px>(outRows.up + (x - 1) * Px));
        const Vec gNE = Even(LoadGreens<Px>(outRows.up + (x + 1) * Px));
        const Vec gSW = Even(LoadGreens<Px>(outRows.down + (x - 1) * Px));
        const Vec gSE = Even(LoadGreens<Px>(outRows.down + (x + 1) * Px));
        const Vec t1 = Sub(Sub(g2, gNE), gSW);
        const Vec t2 = Sub(Sub(g2, gNW), gSE);
        const Vec d1 = Add(AbsDiff(nw, se), Abs(t2));
        const Vec d2 = Add(AbsDiff(ne, sw), Abs(t1));
        const Vec first = DivPow2<1>(Add(Add(nw, se), t2));
        const Vec second = DivPow2<1>(Add(Add(ne, sw), t1));
        const Vec all = DivPow2<2>(Add(Add(nw, ne, sw, se), Add(t1, t2)));
        const Vec opposite = Clamp255(Choose(d1, d2, first, second, all));
        const Vec m = Even(Load(rows.mid + x));
        const Vec rowColour = Half(Add(m, Even(Load(rows.mid + x + 2))));
        const Vec columnColour = Half(Add(ne, se));
        StoreSites<Px, C>(outRows.mid + x * Px, Merge(m, rowColour), greens, Merge(opposite, columnColour));
    }
    return x;
}

int Laplacian(Pattern pattern, bool flip, const Byte* src, int width, int height, Byte* dst,
              unsigned short bitCount) {
    const ColourMember member{pattern, flip, PreFill::kOnes, 2};
    return RunColourMember(member, src, width, height, dst, bitCount, [pattern](const auto& mosaic, const auto& canvas) {
        const bool simd = simd::HasAvx2();
        // Blocks read two columns beyond their last pixel.
        const int first = 2, last = mosaic.width - 3, blockEnd = mosaic.width - 2;
        WithPixelSize(canvas.pixelSize, [&](auto px) {
            constexpr int Px = decltype(px)::value;
            const auto rowsAround = [&](int y) {
                return Rows5{mosaic.Row(y - 2), mosaic.Row(y - 1), mosaic.Row(y), mosaic.Row(y + 1), mosaic.Row(y + 2)};
            };
            const auto greenRow = [&](int y) {
                const Rows5 rows = rowsAround(y);
                Byte* out = canvas.Row(y);
                WithRowColours(pattern, y, [&](auto channel, int parity) {
                    constexpr int C = decltype(channel)::value;
                    simd::SplitRow(
                        simd, first, last, parity, blockEnd,
                        [&](int a, int b) { GreenRow<Px, C>(rows, out, a, b, parity); },
                        [&](int x, int end) { return GreenBlocks<Px, C>(rows, out, x, end); });
                });
            };
            const auto colourRow = [&](int y) {
                const Rows5 rows = rowsAround(y);
                const Out3 outRows{canvas.Row(y - 1), canvas.Row(y), canvas.Row(y + 1)};
                WithRowColours(pattern, y, [&](auto channel, int parity) {
                    constexpr int C = decltype(channel)::value;
                    simd::SplitRow(
                        simd, first, last, parity, blockEnd,
                        [&](int a, int b) { ColourRow<Px, C>(rows, outRows, a, b, parity); },
                        [&](int x, int end) { return ColourBlocks<Px, C>(rows, outRows, x, end); });
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
