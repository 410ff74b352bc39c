// SSSE3 building blocks for the interior loops: 16 pixels at a time, the
// eight red or blue sites in the even 16-bit lanes and the eight green sites
// in the odd ones. The functions carry their own target attribute; callers
// check HasSsse3() once per call and keep the scalar loops for the rest.
#ifndef ZOQ_BAYER_SIMD_H
#define ZOQ_BAYER_SIMD_H

#include <tmmintrin.h>

#include <array>
#include <cstdint>

#define ZOQ_SSSE3 __attribute__((target("ssse3"), always_inline)) inline

namespace zoqbayer {
namespace simd {

// Pixels a block covers.
inline constexpr int kBlock = 16;

inline bool HasSsse3() { return __builtin_cpu_supports("ssse3"); }

// Runs the columns first ... last of one row as a scalar head (up to the
// first red or blue site), SIMD blocks while a block ends before `blockEnd`,
// and a scalar tail. scalar(a, b) handles columns a ... b; blocks(x, end)
// returns the first column it did not handle.
template <typename Scalar, typename Blocks>
void SplitRow(bool simd, int first, int last, int parity, int blockEnd, Scalar&& scalar, Blocks&& blocks) {
    int x = first;
    if (simd) {
        if (x <= last && (x & 1) != parity) {
            scalar(x, x);
            ++x;
        }
        x = blocks(x, blockEnd);
    }
    scalar(x, last);
}

ZOQ_SSSE3 __m128i Load(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
ZOQ_SSSE3 void Store(std::uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// The samples at even and odd byte positions, as 16-bit lanes.
ZOQ_SSSE3 __m128i Even(__m128i v) { return _mm_and_si128(v, _mm_set1_epi16(0xFF)); }
ZOQ_SSSE3 __m128i Odd(__m128i v) { return _mm_srli_epi16(v, 8); }

// Bytes in pixel order from the values of the red/blue sites (even) and the
// green sites (odd), each 0 ... 255.
ZOQ_SSSE3 __m128i Merge(__m128i even, __m128i odd) { return _mm_or_si128(even, _mm_slli_epi16(odd, 8)); }

ZOQ_SSSE3 __m128i AbsDiff(__m128i a, __m128i b) { return _mm_abs_epi16(_mm_sub_epi16(a, b)); }
ZOQ_SSSE3 __m128i Clamp255(__m128i v) {
    return _mm_min_epi16(_mm_max_epi16(v, _mm_setzero_si128()), _mm_set1_epi16(255));
}

// Signed division truncating toward zero, by 2, 4 and 8.
template <int Shift>
ZOQ_SSSE3 __m128i DivPow2(__m128i v) {
    const __m128i bias = _mm_and_si128(_mm_srai_epi16(v, 15), _mm_set1_epi16((1 << Shift) - 1));
    return _mm_srai_epi16(_mm_add_epi16(v, bias), Shift);
}

// a < b ? less : b < a ? greater : equal, lane by lane.
ZOQ_SSSE3 __m128i Choose(__m128i a, __m128i b, __m128i less, __m128i greater, __m128i equal) {
    const __m128i lt = _mm_cmplt_epi16(a, b);
    const __m128i gt = _mm_cmpgt_epi16(a, b);
    const __m128i picked = _mm_or_si128(_mm_and_si128(lt, less), _mm_and_si128(gt, greater));
    return _mm_or_si128(picked, _mm_andnot_si128(_mm_or_si128(lt, gt), equal));
}

// Shuffle masks between three planes of 16 bytes and 48 interleaved bytes:
// kPlaneToPixels[v][c] gathers channel c's bytes of output vector v.
struct Masks3 {
    std::array<std::array<std::array<std::int8_t, 16>, 3>, 3> planeToPixels;
    std::array<std::array<std::int8_t, 16>, 3> greenOfPixels;  // vector v's green bytes to plane positions
};

constexpr Masks3 MakeMasks3() {
    Masks3 m{};
    for (int v = 0; v < 3; ++v) {
        for (int c = 0; c < 3; ++c) {
            for (int j = 0; j < 16; ++j) {
                const int byte = 16 * v + j;
                m.planeToPixels[v][c][j] = static_cast<std::int8_t>(byte % 3 == c ? byte / 3 : -128);
            }
        }
        for (int j = 0; j < 16; ++j) {
            const int byte = 3 * j + 1;
            m.greenOfPixels[v][j] = static_cast<std::int8_t>(byte / 16 == v ? byte % 16 : -128);
        }
    }
    return m;
}

inline constexpr Masks3 kMasks3 = MakeMasks3();

ZOQ_SSSE3 __m128i Shuffle(__m128i v, const std::array<std::int8_t, 16>& mask) {
    return _mm_shuffle_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask.data())));
}

// Writes 16 pixels from the B, G and R planes. With four bytes a pixel the
// fourth byte keeps what the buffer held.
template <int Px>
ZOQ_SSSE3 void StorePixels(std::uint8_t* out, __m128i b, __m128i g, __m128i r) {
    if constexpr (Px == 3) {
        for (int v = 0; v < 3; ++v) {
            const auto& masks = kMasks3.planeToPixels[v];
            const __m128i bytes =
                _mm_or_si128(_mm_or_si128(Shuffle(b, masks[0]), Shuffle(g, masks[1])), Shuffle(r, masks[2]));
            Store(out + 16 * v, bytes);
        }
    } else {
        const __m128i zero = _mm_setzero_si128();
        const __m128i keep = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        const __m128i bgLow = _mm_unpacklo_epi8(b, g), bgHigh = _mm_unpackhi_epi8(b, g);
        const __m128i rLow = _mm_unpacklo_epi8(r, zero), rHigh = _mm_unpackhi_epi8(r, zero);
        const __m128i pixels[4] = {_mm_unpacklo_epi16(bgLow, rLow), _mm_unpackhi_epi16(bgLow, rLow),
                                   _mm_unpacklo_epi16(bgHigh, rHigh), _mm_unpackhi_epi16(bgHigh, rHigh)};
        for (int v = 0; v < 4; ++v) {
            const __m128i old = _mm_and_si128(Load(out + 16 * v), keep);
            Store(out + 16 * v, _mm_or_si128(old, pixels[v]));
        }
    }
}

// The green bytes of 16 written pixels, in pixel order.
template <int Px>
ZOQ_SSSE3 __m128i LoadGreens(const std::uint8_t* out) {
    if constexpr (Px == 3) {
        const auto& masks = kMasks3.greenOfPixels;
        return _mm_or_si128(_mm_or_si128(Shuffle(Load(out), masks[0]), Shuffle(Load(out + 16), masks[1])),
                            Shuffle(Load(out + 32), masks[2]));
    } else {
        // Byte 1 of each 32-bit pixel: shift it down, then pack twice.
        const __m128i mask = _mm_set1_epi32(0xFF);
        __m128i g[4];
        for (int v = 0; v < 4; ++v) g[v] = _mm_and_si128(_mm_srli_epi32(Load(out + 16 * v), 8), mask);
        return _mm_packus_epi16(_mm_packs_epi32(g[0], g[1]), _mm_packs_epi32(g[2], g[3]));
    }
}

}  // namespace simd
}  // namespace zoqbayer

#endif
