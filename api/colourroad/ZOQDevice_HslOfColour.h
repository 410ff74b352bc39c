// RGBtoHSL2 on vector lanes without its three divisions. Saturation and
// lightness depend on the largest and smallest byte alone: saturation comes
// from a table of every such pair, worked out by RGBtoHSL2 itself, and
// lightness is (max + min) / 2 in single precision, which rounds exactly as
// the double-precision half narrowed to a float (halving is exact). The hue
// is numerator x 1/(6d) + offset / 6 with 1/(6d) from the table: a few
// units in the last place of a double from the quotients, which cannot move
// the hue's float unless the hue lies within that much of half-way between
// two floats. Those lanes are flagged, and the caller does them with the
// divisions; every colour is checked against RGBtoHSL2.
#pragma once

#include <cstddef>

#include "colourroad/ZOQDevice_ColourConvert.h"
#include "colourroad/ZOQDevice_PixelLanes.h"

// Indexed by largest byte x 256 + smallest byte.
struct ZoqHslPairTable {
    float saturation[65536];
    double sixthOverDifference[65536];  // 1 / (6 (max - min)), 0 for gray
};
const ZoqHslPairTable& ZoqHslPairs();

namespace zoqlanes {

template <int N>
struct HslOfLanes {
    using W = Wide<N>;
    using F = typename ZoqLanes<N>::F;
    using I = typename ZoqLanes<N>::I;
    using D = typename W::D;
    using Pair = typename W::Pair;

    Pair hue;  // in turns, already rounded to floats
    F saturation, lightness;

    // Answers the lanes whose hue must come from the divisions.
    ZOQ_LANES_INLINE I From(const ZoqPixelLanes<N>& px, const ZoqHslPairTable& table) {
        const UnitChannels<N> u(px);
        const I maxByte = Max(px.r, Max(px.g, px.b));
        const I minByte = Min(px.r, Min(px.g, px.b));
        const I index = (maxByte << 8) | minByte;
        float s[N];
        double k[N];
        for (int i = 0; i < N; ++i) {
            s[i] = table.saturation[index[i]];
            k[i] = table.sixthOverDifference[index[i]];
        }
        std::memcpy(&saturation, s, sizeof s);
        Pair sixth;
        std::memcpy(&sixth, k, sizeof k);
        lightness = (u.max + u.min) * 0.5f;

        const I isRed = u.max == u.r;
        const I isGreen = u.max == u.g;
        const F difference = Select(isRed, u.g - u.b, Select(isGreen, u.b - u.r, u.r - u.g));
        const F offset =
            Select(isRed, Splat<F>(0.0f), Select(isGreen, Splat<F>(2.0f), Splat<F>(4.0f)));
        const Pair numerator = W::Widen(difference), turnOffset = W::Widen(offset);
        // 2 and 4 times the double nearest 1/6 are the doubles nearest 2/6
        // and 4/6.
        auto turns = [](D numerator, D sixth, D offset) __attribute__((always_inline)) {
            D h = numerator * sixth + offset * (1.0 / 6.0);
            return Select(h < 0.0, h + 1.0, h);
        };
        const Pair h = {turns(numerator.lo, sixth.lo, turnOffset.lo),
                        turns(numerator.hi, sixth.hi, turnOffset.hi)};
        const F rounded = W::Narrow(h);
        const F below = W::Narrow({h.lo * (1.0 - 0x1p-40), h.hi * (1.0 - 0x1p-40)});
        const F above = W::Narrow({h.lo * (1.0 + 0x1p-40), h.hi * (1.0 + 0x1p-40)});
        hue = W::Widen(rounded);
        return below != above;
    }
};

}  // namespace zoqlanes

// RGBtoHSL2 of n pixels of bpp bytes (3 or 4) by the lanes above, into
// out, for the tests; a lane flagged for the divisions has hue -1. The
// answer is how many were flagged.
std::size_t ZoqHslOfPixels(const unsigned char* pixels, std::size_t n, int bpp, COLOR_HSL* out);
