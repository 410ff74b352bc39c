// Laplacian members: green along the flatter direction with a second-order
// correction from the same-colour samples two pixels away, then the opposite
// colour along the flatter diagonal, corrected by the green Laplacian.
#include <algorithm>
#include <cstdlib>

#include "BayerBorder.h"
#include "BayerGreenPlanes.h"

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

// The green of a red or blue site (x, y): along the flatter direction,
// corrected by the second difference of the site's own colour.
inline int SiteGreen(const Rows5& rows, int x) {
    const int m = rows.mid[x];
    const int n = rows.up[x], s = rows.down[x], w = rows.mid[x - 1], e = rows.mid[x + 1];
    const int hH = 2 * m - rows.mid[x - 2] - rows.mid[x + 2];
    const int hV = 2 * m - rows.up2[x] - rows.down2[x];
    const int dH = std::abs(w - e) + std::abs(hH);
    const int dV = std::abs(n - s) + std::abs(hV);
    if (dH < dV) return ((w + e) >> 1) + hH / 4;
    if (dV < dH) return ((n + s) >> 1) + hV / 4;
    return ((n + s + w + e) >> 2) + (hH + hV) / 8;
}

// Green pass into a plane, columns first ... last of an interior row.
void GreenRow(const Rows5& rows, GreenPlane& plane, int first, int last, int parity) {
    ForEachSite(
        first, last, parity, [&](int x) { *plane.At(x) = Clamp(SiteGreen(rows, x)); },
        [&](int x) { *plane.At(x) = rows.mid[x]; });
}

ZOQ_AVX2 int GreenBlocks(const Rows5& rows, GreenPlane& plane, int x, int end) {
    using namespace simd;
    for (; x + kBlock <= end; x += kBlock) {
        const Vec left = Load(rows.mid + x - 2), centre = Load(rows.mid + x), right = Load(rows.mid + x + 2);
        // Red or blue sites x + 2i; the green sites between keep their sample.
        const Vec m = Even(centre), w = Odd(left), e = Odd(centre);
        const Vec n = Even(Load(rows.up + x)), s = Even(Load(rows.down + x));
        const Vec hH = Sub(Sub(Twice(m), Even(left)), Even(right));
        const Vec hV = Sub(Sub(Twice(m), Even(Load(rows.up2 + x))), Even(Load(rows.down2 + x)));
        const Vec dH = Add(AbsDiff(w, e), Abs(hH));
        const Vec dV = Add(AbsDiff(n, s), Abs(hV));
        const Vec alongRow = Add(Half(Add(w, e)), DivPow2<2>(hH));
        const Vec alongColumn = Add(Half(Add(n, s)), DivPow2<2>(hV));
        const Vec all = Add(Quarter(Add(n, s, w, e)), DivPow2<3>(Add(hH, hV)));
        const Vec green = Clamp255(Choose(dH, dV, alongRow, alongColumn, all));
        _mm256_storeu_si256(reinterpret_cast<Vec*>(plane.At(x)), Merge(green, e));
    }
    return x;
}

// Colour pass, columns first ... last of row y: writes whole pixels.
template <int Px, int C>
void ColourRow(const Rows5& rows, const Planes3& greens, Byte* out, int first, int last, int parity) {
    constexpr int O = 2 - C;
    const Byte* up = rows.up;
    const Byte* mid = rows.mid;
    const Byte* down = rows.down;
    const auto g = [](const GreenPlane& plane, int x) -> int { return *plane.At(x); };
    ForEachSite(
        first, last, parity,
        [&](int x) {
            const int g2 = 2 * g(greens.mid, x);
            const int t1 = g2 - g(greens.up, x + 1) - g(greens.down, x - 1);
            const int t2 = g2 - g(greens.up, x - 1) - g(greens.down, x + 1);
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
            Byte* p = out + x * Px;
            p[C] = mid[x];
            p[kGreen] = *greens.mid.At(x);
            p[O] = Clamp(value);
        },
        [&](int x) {
            Byte* p = out + x * Px;
            p[C] = static_cast<Byte>((mid[x - 1] + mid[x + 1]) >> 1);
            p[kGreen] = mid[x];
            p[O] = static_cast<Byte>((up[x] + down[x]) >> 1);
        });
}

template <int Px, int C>
ZOQ_AVX2 int ColourBlocks(const Rows5& rows, const Planes3& greens, Byte* out, int x, int end) {
    using namespace simd;
    for (; x + kBlock <= end; x += kBlock) {
        const Vec nw = Even(Load(rows.up + x - 1)), ne = Even(Load(rows.up + x + 1));
        const Vec sw = Even(Load(rows.down + x - 1)), se = Even(Load(rows.down + x + 1));
        const Vec rowGreens = Load(greens.mid.At(x));
        const Vec g2 = Twice(Even(rowGreens));
        const Vec t1 = Sub(Sub(g2, Even(Load(greens.up.At(x + 1)))), Even(Load(greens.down.At(x - 1))));
        const Vec t2 = Sub(Sub(g2, Even(Load(greens.up.At(x - 1)))), Even(Load(greens.down.At(x + 1))));
        const Vec d1 = Add(AbsDiff(nw, se), Abs(t2));
        const Vec d2 = Add(AbsDiff(ne, sw), Abs(t1));
        const Vec first = DivPow2<1>(Add(Add(nw, se), t2));
        const Vec second = DivPow2<1>(Add(Add(ne, sw), t1));
        const Vec all = DivPow2<2>(Add(Add(nw, ne, sw, se), Add(t1, t2)));
        const Vec opposite = Clamp255(Choose(d1, d2, first, second, all));
        const Vec m = Even(Load(rows.mid + x));
        const Vec rowColour = Half(Add(m, Even(Load(rows.mid + x + 2))));
        const Vec columnColour = Half(Add(ne, se));
        StoreSites<Px, C>(out + x * Px, Merge(m, rowColour), rowGreens, Merge(opposite, columnColour));
    }
    return x;
}

Rows5 RowsAround(const Mosaic<Byte>& mosaic, int y) {
    return {mosaic.Row(y - 2), mosaic.Row(y - 1), mosaic.Row(y), mosaic.Row(y + 1), mosaic.Row(y + 2)};
}

int Laplacian(Pattern pattern, bool flip, const Byte* src, int width, int height, Byte* dst,
              unsigned short bitCount) {
    const ColourMember member{pattern, flip, PreFill::kOnes, 2};
    return RunColourMember(member, src, width, height, dst, bitCount, [pattern](const auto& mosaic, const auto& canvas) {
        const bool simd = simd::HasAvx2();
        // Blocks read two columns beyond their last pixel.
        const auto blockEnd = [&](int last) { return std::min(last + 1, mosaic.width - 2); };
        WithPixelSize(canvas.pixelSize, [&](auto px) {
            constexpr int Px = decltype(px)::value;
            const auto greenRow = [&](int y, int first, int last, GreenPlane& plane) {
                const Rows5 rows = RowsAround(mosaic, y);
                const int parity = ColoursOfRow(pattern, y).parity;
                simd::SplitRow(
                    simd, first, last, parity, blockEnd(last),
                    [&](int a, int b) { GreenRow(rows, plane, a, b, parity); },
                    [&](int x, int end) { return GreenBlocks(rows, plane, x, end); });
            };
            const auto colourRow = [&](int y, const Planes3& greens, int first, int last) {
                const Rows5 rows = RowsAround(mosaic, y);
                Byte* out = canvas.Row(y);
                WithRowColours(pattern, y, [&](auto channel, int parity) {
                    constexpr int C = decltype(channel)::value;
                    simd::SplitRow(
                        simd, first, last, parity, blockEnd(last),
                        [&](int a, int b) { ColourRow<Px, C>(rows, greens, out, a, b, parity); },
                        [&](int x, int end) { return ColourBlocks<Px, C>(rows, greens, out, x, end); });
                });
            };
            TwoPassStrips(pattern, mosaic, 2, greenRow, colourRow);
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
