// AVX2 building blocks for the interior loops: 32 pixels at a time, the 16
// red or blue sites in the even 16-bit lanes and the 16 green sites in the odd
// ones. The functions carry their own target attribute; callers check
// HasAvx2() once per call and use the scalar loops on other processors and
// for the columns that do not fill a block.
#ifndef ZOQ_BAYER_SIMD_H
#define ZOQ_BAYER_SIMD_H

#include <immintrin.h>

#include <array>
#include <cstdint>

#include "BayerImage.h"

#define ZOQ_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline
#define ZOQ_AVX2 __attribute__((target("avx2")))

namespace zoqbayer {
namespace simd {

using Vec = __m256i;

// Pixels a block covers.
inline constexpr int kBlock = 32;

inline bool HasAvx2() { return __builtin_cpu_supports("avx2"); }

// Runs the columns first ... last of one row as a scalar head (up to the
// first red or blue site), SIMD blocks while a block ends before `blockEnd`,
// one more block moved back to end there, and a scalar tail. A block only
// writes values computed from its inputs, so the columns the moved-back block
// does again get the same bytes. scalar(a, b) handles columns a ... b;
// blocks(x, end) returns the first column it did not handle.
template <typename Scalar, typename Blocks>
void SplitRow(bool simd, int first, int last, int parity, int blockEnd, Scalar&& scalar, Blocks&& blocks) {
    int x = first;
    if (simd) {
        if (x <= last && (x & 1) != parity) {
            scalar(x, x);
            ++x;
        }
        const int start = x;
        x = blocks(x, blockEnd);
        int back = blockEnd - kBlock;
        if ((back & 1) != parity) --back;
        if (x < blockEnd && back >= start) x = blocks(back, back + kBlock);
    }
    scalar(x, last);
}

ZOQ_AVX2_INLINE Vec Load(const std::uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const Vec*>(p)); }

ZOQ_AVX2_INLINE Vec Add(Vec a, Vec b) { return _mm256_add_epi16(a, b); }
ZOQ_AVX2_INLINE Vec Add(Vec a, Vec b, Vec c, Vec d) { return Add(Add(a, b), Add(c, d)); }
ZOQ_AVX2_INLINE Vec Sub(Vec a, Vec b) { return _mm256_sub_epi16(a, b); }
ZOQ_AVX2_INLINE Vec Twice(Vec a) { return _mm256_slli_epi16(a, 1); }
// Non-negative sums: (a + b) >> 1 and the like.
ZOQ_AVX2_INLINE Vec Half(Vec a) { return _mm256_srli_epi16(a, 1); }
ZOQ_AVX2_INLINE Vec Quarter(Vec a) { return _mm256_srli_epi16(a, 2); }
ZOQ_AVX2_INLINE Vec Zero() { return _mm256_setzero_si256(); }

// The samples at even and odd byte positions, as 16-bit lanes.
ZOQ_AVX2_INLINE Vec Even(Vec v) { return _mm256_and_si256(v, _mm256_set1_epi16(0xFF)); }
ZOQ_AVX2_INLINE Vec Odd(Vec v) { return _mm256_srli_epi16(v, 8); }

// Bytes in pixel order from the values of the red/blue sites (even) and the
// green sites (odd), each 0 ... 255.
ZOQ_AVX2_INLINE Vec Merge(Vec even, Vec odd) { return _mm256_or_si256(even, _mm256_slli_epi16(odd, 8)); }

ZOQ_AVX2_INLINE Vec Abs(Vec v) { return _mm256_abs_epi16(v); }
ZOQ_AVX2_INLINE Vec AbsDiff(Vec a, Vec b) { return Abs(Sub(a, b)); }
ZOQ_AVX2_INLINE Vec Clamp255(Vec v) {
    return _mm256_min_epi16(_mm256_max_epi16(v, Zero()), _mm256_set1_epi16(255));
}

// Signed division truncating toward zero, by 2, 4 and 8.
template <int Shift>
ZOQ_AVX2_INLINE Vec DivPow2(Vec v) {
    const Vec bias = _mm256_and_si256(_mm256_srai_epi16(v, 15), _mm256_set1_epi16((1 << Shift) - 1));
    return _mm256_srai_epi16(Add(v, bias), Shift);
}

// a < b ? less : b < a ? greater : equal, lane by lane.
ZOQ_AVX2_INLINE Vec Choose(Vec a, Vec b, Vec less, Vec greater, Vec equal) {
    const Vec lt = _mm256_cmpgt_epi16(b, a);
    const Vec gt = _mm256_cmpgt_epi16(a, b);
    return _mm256_blendv_epi8(_mm256_blendv_epi8(equal, less, lt), greater, gt);
}

// The lane-wise counterpart of the scalar FlatterMean.
ZOQ_AVX2_INLINE Vec FlatterMean(Vec a1, Vec a2, Vec b1, Vec b2) {
    return Choose(AbsDiff(a1, a2), AbsDiff(b1, b2), Half(Add(a1, a2)), Half(Add(b1, b2)), Quarter(Add(a1, a2, b1, b2)));
}

// Sixteen single-precision values, from the 16-bit lanes of a Vec.
struct Floats16 {
    __m256 low;
    __m256 high;
};

ZOQ_AVX2_INLINE Floats16 ToFloats(Vec v) {
    return {_mm256_cvtepi32_ps(_mm256_cvtepu16_epi32(_mm256_castsi256_si128(v))),
            _mm256_cvtepi32_ps(_mm256_cvtepu16_epi32(_mm256_extracti128_si256(v, 1)))};
}
ZOQ_AVX2_INLINE Floats16 Plus(Floats16 a, Floats16 b) {
    return {_mm256_add_ps(a.low, b.low), _mm256_add_ps(a.high, b.high)};
}
ZOQ_AVX2_INLINE Floats16 Times(Floats16 a, Floats16 b) {
    return {_mm256_mul_ps(a.low, b.low), _mm256_mul_ps(a.high, b.high)};
}
ZOQ_AVX2_INLINE Floats16 Times(Floats16 a, float k) { return Times(a, {_mm256_set1_ps(k), _mm256_set1_ps(k)}); }
ZOQ_AVX2_INLINE Floats16 Divide(Floats16 a, Floats16 b) {
    return {_mm256_div_ps(a.low, b.low), _mm256_div_ps(a.high, b.high)};
}

// Above 255 gives 255, 0 ... 255 truncates, not-a-number gives 0; as 16-bit
// lanes.
ZOQ_AVX2_INLINE __m256i Saturate8(__m256 v) {
    const __m256i truncated = _mm256_cvttps_epi32(v);
    const __m256i inRange = _mm256_castps_si256(_mm256_cmp_ps(v, _mm256_setzero_ps(), _CMP_GE_OQ));
    const __m256i above = _mm256_castps_si256(_mm256_cmp_ps(v, _mm256_set1_ps(255.0f), _CMP_GT_OQ));
    return _mm256_blendv_epi8(_mm256_and_si256(truncated, inRange), _mm256_set1_epi32(255), above);
}
ZOQ_AVX2_INLINE Vec Saturate(Floats16 v) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi32(Saturate8(v.low), Saturate8(v.high)), 0xD8);
}

// Shuffle masks from three planes of 32 bytes to 96 interleaved bytes:
// planeToPixels[v][c] takes channel c's bytes of output vector v from a plane
// whose halves are arranged so that each 128-bit lane finds its pixels.
struct Masks3 {
    std::array<std::array<std::array<std::int8_t, 32>, 3>, 3> planeToPixels;
};

constexpr Masks3 MakeMasks3() {
    Masks3 m{};
    for (int v = 0; v < 3; ++v) {
        for (int c = 0; c < 3; ++c) {
            for (int j = 0; j < 32; ++j) {
                const int byte = 32 * v + j;
                // Vector 0 sees pixels 0-15 in both lanes, vector 2 pixels
                // 16-31, vector 1 the plane as it is.
                const int firstPixel = v == 2 || (v == 1 && j >= 16) ? 16 : 0;
                m.planeToPixels[v][c][j] = static_cast<std::int8_t>(byte % 3 == c ? byte / 3 - firstPixel : -128);
            }
        }
    }
    return m;
}

inline constexpr Masks3 kMasks3 = MakeMasks3();

// Writes 16 four-byte pixels from 16-byte B, G and R planes; the fourth byte
// keeps what the buffer held.
ZOQ_AVX2_INLINE void StoreKeepingFourth(std::uint8_t* out, __m128i b, __m128i g, __m128i r) {
    const __m128i keep = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i bgLow = _mm_unpacklo_epi8(b, g), bgHigh = _mm_unpackhi_epi8(b, g);
    const __m128i rLow = _mm_unpacklo_epi8(r, _mm_setzero_si128()), rHigh = _mm_unpackhi_epi8(r, _mm_setzero_si128());
    const __m128i pixels[4] = {_mm_unpacklo_epi16(bgLow, rLow), _mm_unpackhi_epi16(bgLow, rLow),
                               _mm_unpacklo_epi16(bgHigh, rHigh), _mm_unpackhi_epi16(bgHigh, rHigh)};
    for (int v = 0; v < 4; ++v) {
        auto* at = reinterpret_cast<__m128i*>(out + 16 * v);
        _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(at), keep), pixels[v]));
    }
}

// Writes the 32 pixels of B, G and R planes (bytes in pixel order).
template <int Px>
ZOQ_AVX2_INLINE void StorePixels(std::uint8_t* out, Vec b, Vec g, Vec r) {
    if constexpr (Px == 3) {
        const Vec planes[3] = {b, g, r};
        for (int v = 0; v < 3; ++v) {
            Vec bytes = Zero();
            for (int c = 0; c < 3; ++c) {
                Vec arranged = planes[c];
                if (v == 0) arranged = _mm256_permute4x64_epi64(planes[c], 0x44);
                if (v == 2) arranged = _mm256_permute4x64_epi64(planes[c], 0xEE);
                const Vec mask = _mm256_loadu_si256(reinterpret_cast<const Vec*>(kMasks3.planeToPixels[v][c].data()));
                bytes = _mm256_or_si256(bytes, _mm256_shuffle_epi8(arranged, mask));
            }
            _mm256_storeu_si256(reinterpret_cast<Vec*>(out + 32 * v), bytes);
        }
    } else {
        StoreKeepingFourth(out, _mm256_castsi256_si128(b), _mm256_castsi256_si128(g), _mm256_castsi256_si128(r));
        StoreKeepingFourth(out + 64, _mm256_extracti128_si256(b, 1), _mm256_extracti128_si256(g, 1),
                           _mm256_extracti128_si256(r, 1));
    }
}

// Writes 32 pixels of a row whose red or blue samples are channel C, from the
// planes of that colour, green and the opposite colour.
template <int Px, int C>
ZOQ_AVX2_INLINE void StoreSites(std::uint8_t* out, Vec own, Vec green, Vec opposite) {
    if constexpr (C == kBlue) {
        StorePixels<Px>(out, own, green, opposite);
    } else {
        StorePixels<Px>(out, opposite, green, own);
    }
}

}  // namespace simd
}  // namespace zoqbayer

#endif
