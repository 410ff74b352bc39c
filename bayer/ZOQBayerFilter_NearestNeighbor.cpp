// Nearest-neighbour members: colour from one 2 x 2 window of the mosaic
// (8-bit and 16-bit samples), and gray as the mean of each 2 x 2 window.
#include <algorithm>

#include "BayerBorder.h"
#include "BayerSimd.h"

namespace zoqbayer {
namespace {

// Where a pixel's window starts. The members differ here and in the green
// rule, and the difference shows in their output, so each keeps its own.
enum class Window {
    kAtX,      // columns x, x + 1
    kBeforeX,  // columns x - 1, x (the border block rule)
};

enum class NearestGreen {
    kMean,  // mean of the window's two greens, at every site
    kOwn,   // the window's green of the pixel's own row
};

struct NearestMember {
    ColourMember colour;
    Window window;
    NearestGreen green;
};

// One interior row y: `top` is row y with channel Ct at column parity
// `parity`, `bottom` row y + 1 with the other colour at the other parity.
template <typename T, int Px, int Ct, Window W, NearestGreen G>
void NearestRow(const T* __restrict top, const T* __restrict bottom, T* __restrict out, int first, int last,
                int parity) {
    constexpr int Cb = 2 - Ct;
    // Window starting at a column of the top row's colour.
    const auto aligned = [=](int x, int s) {
        T* p = out + x * Px;
        p[Ct] = top[s];
        p[kGreen] = G == NearestGreen::kMean ? static_cast<T>((top[s + 1] + bottom[s]) >> 1) : top[s + 1];
        p[Cb] = bottom[s + 1];
    };
    // Window starting at a green of the top row.
    const auto shifted = [=](int x, int s) {
        T* p = out + x * Px;
        p[Ct] = top[s + 1];
        p[kGreen] = G == NearestGreen::kMean ? static_cast<T>((top[s] + bottom[s + 1]) >> 1) : top[s];
        p[Cb] = bottom[s];
    };
    if constexpr (W == Window::kAtX) {
        ForEachSite(first, last, parity, [=](int x) { aligned(x, x); }, [=](int x) { shifted(x, x); });
    } else {
        ForEachSite(first, last, parity, [=](int x) { shifted(x, x - 1); }, [=](int x) { aligned(x, x - 1); });
    }
}

// 8-bit samples, 32 pixels from the top row's red or blue site x.
template <int Px, int Ct, Window W, NearestGreen G>
ZOQ_AVX2 int NearestBlocks(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* out, int x, int end) {
    using namespace simd;
    for (; x + kBlock <= end; x += kBlock) {
        Vec ownColour, green, otherColour;
        if constexpr (W == Window::kAtX) {
            // Red or blue sites x + 2i take the window at x + 2i, green sites
            // x + 1 + 2i the one at x + 1 + 2i.
            const Vec top0 = Load(top + x), top1 = Load(top + x + 1);
            const Vec bottom0 = Load(bottom + x), bottom1 = Load(bottom + x + 1);
            ownColour = Merge(Even(top0), Odd(top1));
            otherColour = Merge(Odd(bottom0), Odd(bottom0));
            green = G == NearestGreen::kMean
                        ? Merge(Half(Add(Odd(top0), Even(bottom0))), Half(Add(Odd(top0), Odd(bottom1))))
                        : Merge(Odd(top0), Odd(top0));
        } else {
            // The windows start one column to the left, greens their own row's.
            const Vec topLeft = Load(top + x - 1), bottomLeft = Load(bottom + x - 1);
            ownColour = Merge(Odd(topLeft), Odd(topLeft));
            green = Merge(Even(topLeft), Odd(Load(top + x)));
            otherColour = Merge(Even(bottomLeft), Odd(Load(bottom + x)));
        }
        StoreSites<Px, Ct>(out + x * Px, ownColour, green, otherColour);
    }
    return x;
}

template <typename T, Window W, NearestGreen G>
void NearestRows(Pattern pattern, const Mosaic<T>& mosaic, const Canvas<T>& canvas) {
    // Only 8-bit samples have the SIMD blocks; they read one column beyond
    // their last pixel.
    const bool simd = sizeof(T) == 1 && simd::HasAvx2();
    WithPixelSize(canvas.pixelSize, [&](auto px) {
        constexpr int Px = decltype(px)::value;
        for (int y = 1; y <= mosaic.height - 2; ++y) {
            WithRowColours(pattern, y, [&](auto channel, int parity) {
                constexpr int C = decltype(channel)::value;
                const T* top = mosaic.Row(y);
                const T* bottom = mosaic.Row(y + 1);
                T* out = canvas.Row(y);
                simd::SplitRow(
                    simd, 1, mosaic.width - 2, parity, mosaic.width - 1,
                    [&](int a, int b) { NearestRow<T, Px, C, W, G>(top, bottom, out, a, b, parity); },
                    [&](int x, int end) {
                        if constexpr (sizeof(T) == 1) return NearestBlocks<Px, C, W, G>(top, bottom, out, x, end);
                        return x;
                    });
            });
        }
    });
}

template <typename T>
int Nearest(const NearestMember& member, const T* src, int width, int height, T* dst, unsigned short bitCount) {
    return RunColourMember(member.colour, src, width, height, dst, bitCount, [&](const auto& mosaic, const auto& canvas) {
        const Pattern pattern = member.colour.pattern;
        if (member.window == Window::kBeforeX) {
            NearestRows<T, Window::kBeforeX, NearestGreen::kOwn>(pattern, mosaic, canvas);
        } else if (member.green == NearestGreen::kOwn) {
            NearestRows<T, Window::kAtX, NearestGreen::kOwn>(pattern, mosaic, canvas);
        } else {
            NearestRows<T, Window::kAtX, NearestGreen::kMean>(pattern, mosaic, canvas);
        }
    });
}

// How many right-hand columns repeat the last computed one.
enum class GrayRightEdge { kOneColumn = 1, kTwoColumns = 2 };

template <typename T>
int Gray(GrayRightEdge rightEdge, bool flip, const T* src, int width, int height, T* dst) {
    const Mosaic<T> mosaic{src, width, height};
    const Canvas<T> canvas{dst, width, height, 1, flip};
    // A width of 2 has no third-last column: its column 1 repeats column 0.
    const int last = std::max(width - 1 - static_cast<int>(rightEdge), 0);
    for (int y = 0; y <= height - 2; ++y) {
        const T* __restrict top = mosaic.Row(y);
        const T* __restrict bottom = mosaic.Row(y + 1);
        T* __restrict out = canvas.Row(y);
        for (int x = 0; x <= last; ++x) {
            const std::uint32_t sum = std::uint32_t{top[x]} + top[x + 1] + bottom[x] + bottom[x + 1];
            out[x] = static_cast<T>(sum >> 2);
        }
        std::fill(out + last + 1, out + width, out[last]);
    }
    std::memcpy(canvas.Row(height - 1), canvas.Row(height - 2), static_cast<std::size_t>(width) * sizeof(T));
    return 0;
}

constexpr NearestMember Colour(Pattern pattern, bool flip, PreFill fill, Window window, NearestGreen green) {
    return {{pattern, flip, fill, 1}, window, green};
}

constexpr NearestMember kRGGB8 = Colour(kRGGB, false, PreFill::kOnes, Window::kAtX, NearestGreen::kMean);
constexpr NearestMember kRGGB8Flip = Colour(kRGGB, true, PreFill::kNone, Window::kAtX, NearestGreen::kMean);
constexpr NearestMember kBGGR8 = Colour(kBGGR, false, PreFill::kNone, Window::kBeforeX, NearestGreen::kOwn);
constexpr NearestMember kBGGR8Flip = Colour(kBGGR, true, PreFill::kNone, Window::kAtX, NearestGreen::kMean);
constexpr NearestMember kGRBG8 = Colour(kGRBG, false, PreFill::kNone, Window::kAtX, NearestGreen::kMean);
constexpr NearestMember kGRBG8Flip = Colour(kGRBG, true, PreFill::kNone, Window::kAtX, NearestGreen::kMean);
constexpr NearestMember kGBRG8 = Colour(kGBRG, false, PreFill::kNone, Window::kAtX, NearestGreen::kOwn);
constexpr NearestMember kGBRG8Flip = Colour(kGBRG, true, PreFill::kNone, Window::kAtX, NearestGreen::kOwn);

// 16-bit members all follow the border block rule inside as well.
constexpr NearestMember Colour16(Pattern pattern, bool flip) {
    return Colour(pattern, flip, PreFill::kNone, Window::kBeforeX, NearestGreen::kOwn);
}

}  // namespace
}  // namespace zoqbayer

using zoqbayer::Colour16;
using zoqbayer::Gray;
using zoqbayer::GrayRightEdge;
using zoqbayer::Nearest;

ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_RGGB) {
    return Nearest(zoqbayer::kRGGB8, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_RGGB_Flip) {
    return Nearest(zoqbayer::kRGGB8Flip, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_BGGR) {
    return Nearest(zoqbayer::kBGGR8, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_BGGR_Flip) {
    return Nearest(zoqbayer::kBGGR8Flip, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_GRBG) {
    return Nearest(zoqbayer::kGRBG8, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_GRBG_Flip) {
    return Nearest(zoqbayer::kGRBG8Flip, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_GBRG) {
    return Nearest(zoqbayer::kGBRG8, src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR8(ZOQCFA_NearestNeighbor_GBRG_Flip) {
    return Nearest(zoqbayer::kGBRG8Flip, src, width, height, dst, bitCount);
}

ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_RGGB_16Bits) {
    return Nearest(Colour16(zoqbayer::kRGGB, false), src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_RGGB_Flip_16Bits) {
    return Nearest(Colour16(zoqbayer::kRGGB, true), src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_BGGR_16Bits) {
    return Nearest(Colour16(zoqbayer::kBGGR, false), src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_BGGR_Flip_16Bits) {
    return Nearest(Colour16(zoqbayer::kBGGR, true), src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_GRBG_16Bits) {
    return Nearest(Colour16(zoqbayer::kGRBG, false), src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_GRBG_Flip_16Bits) {
    return Nearest(Colour16(zoqbayer::kGRBG, true), src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_GBRG_16Bits) {
    return Nearest(Colour16(zoqbayer::kGBRG, false), src, width, height, dst, bitCount);
}
ZOQ_CFA_COLOUR16(ZOQCFA_NearestNeighbor_GBRG_Flip_16Bits) {
    return Nearest(Colour16(zoqbayer::kGBRG, true), src, width, height, dst, bitCount);
}

// Gray: the 8-bit RGGB members repeat the third-last column into the last
// two; the others repeat the second-last. The _Flip members of the other
// patterns hand over to the RGGB one.
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_RGGB_Gray) {
    return Gray(GrayRightEdge::kTwoColumns, false, src, width, height, dst);
}
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_RGGB_Gray_Flip) {
    return Gray(GrayRightEdge::kTwoColumns, true, src, width, height, dst);
}
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_BGGR_Gray) {
    return Gray(GrayRightEdge::kOneColumn, false, src, width, height, dst);
}
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_BGGR_Gray_Flip) {
    return ZOQCFA_NearestNeighbor_RGGB_Gray_Flip(src, width, height, dst);
}
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_GRBG_Gray) {
    return Gray(GrayRightEdge::kOneColumn, false, src, width, height, dst);
}
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_GRBG_Gray_Flip) {
    return ZOQCFA_NearestNeighbor_RGGB_Gray_Flip(src, width, height, dst);
}
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_GBRG_Gray) {
    return Gray(GrayRightEdge::kOneColumn, false, src, width, height, dst);
}
ZOQ_CFA_GRAY8(ZOQCFA_NearestNeighbor_GBRG_Gray_Flip) {
    return ZOQCFA_NearestNeighbor_RGGB_Gray_Flip(src, width, height, dst);
}

ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_RGGB_Gray_16Bits) {
    return Gray(GrayRightEdge::kOneColumn, false, src, width, height, dst);
}
ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits) {
    return Gray(GrayRightEdge::kOneColumn, true, src, width, height, dst);
}
ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_BGGR_Gray_16Bits) {
    return Gray(GrayRightEdge::kOneColumn, false, src, width, height, dst);
}
ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_BGGR_Gray_Flip_16Bits) {
    return ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits(src, width, height, dst);
}
ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_GRBG_Gray_16Bits) {
    return Gray(GrayRightEdge::kOneColumn, false, src, width, height, dst);
}
ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_GRBG_Gray_Flip_16Bits) {
    return ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits(src, width, height, dst);
}
ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_GBRG_Gray_16Bits) {
    return Gray(GrayRightEdge::kOneColumn, false, src, width, height, dst);
}
ZOQ_CFA_GRAY16(ZOQCFA_NearestNeighbor_GBRG_Gray_Flip_16Bits) {
    return ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits(src, width, height, dst);
}
