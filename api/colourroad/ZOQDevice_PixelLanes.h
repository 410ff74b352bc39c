// Colour pixels as vectors, one pixel a lane: blue, green and red of N
// pixels as three vectors of 32-bit integers. A colour stage writes its
// per-pixel arithmetic once, as a template on N over GCC's vector types, so
// that every lane does exactly the operations of the scalar formula (same
// operations, same order, no fused multiply-add) and the bytes cannot
// differ. This file moves the pixels in and out: four lanes with SSE2, which
// every x86-64 processor has, or eight with AVX2 where the processor has it.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

#include "colourroad/ZOQDevice_ColourImage.h"
#include "geometry/ZOQDevice_RowBlocks.h"

#define ZOQ_LANES_INLINE __attribute__((always_inline)) inline
#define ZOQ_LANES_AVX2 __attribute__((target("avx2")))

template <int N>
struct ZoqLanes {
    typedef float F __attribute__((vector_size(4 * N)));
    typedef int I __attribute__((vector_size(4 * N)));
    typedef double D __attribute__((vector_size(8 * N)));
    typedef long long L __attribute__((vector_size(8 * N)));  // masks of D comparisons
};

template <int N>
struct ZoqPixelLanes {
    typename ZoqLanes<N>::I b, g, r;  // 0 .. 255 each
};

// Which vector width the colour stages use: the widest the processor has,
// or SSE2 alone (so that the tests can check both on any machine).
enum class ZoqLaneWidth { kWidest, kSse2 };
void ZoqSetLaneWidth(ZoqLaneWidth width);
bool ZoqUseAvx2();

namespace zoqlanes {

// v ? a : b per lane, for a mask v of a comparison.
template <typename M, typename V>
ZOQ_LANES_INLINE V Select(M mask, V a, V b) {
    return mask ? a : b;
}

template <typename V>
using Element = std::remove_cv_t<std::remove_reference_t<decltype(std::declval<V&>()[0])>>;

template <typename V, std::size_t... K>
ZOQ_LANES_INLINE V SplatLanes(Element<V> value, std::index_sequence<K...>) {
    return V{(static_cast<void>(K), value)...};
}

// Every lane `value` (a broadcast; adding to a zero vector would cost an
// addition, since -0 + 0 is +0).
template <typename V, typename S>
ZOQ_LANES_INLINE V Splat(S value) {
    return SplatLanes<V>(static_cast<Element<V>>(value),
                         std::make_index_sequence<sizeof(V) / sizeof(Element<V>)>());
}

template <typename V, std::size_t... K>
ZOQ_LANES_INLINE V IotaLanes(std::index_sequence<K...>) {
    return V{static_cast<Element<V>>(K)...};
}

// 0, 1, 2, ... in the lanes.
template <typename V>
ZOQ_LANES_INLINE V Iota() {
    return IotaLanes<V>(std::make_index_sequence<sizeof(V) / sizeof(Element<V>)>());
}

// As zoqcolour::TruncateToByte: above 255 gives 255, below 0 or NaN gives 0,
// the rest truncated. Written as the instruction set's max and min, which
// answer their second operand for a NaN.
template <typename I, typename V>
ZOQ_LANES_INLINE I TruncateToByte(V v) {
    v = Select(v > 0, v, Splat<V>(0));
    v = Select(v < 255, v, Splat<V>(255));
    return __builtin_convertvector(v, I);
}

// byte / 255 in single precision, as zoqcolour::kUnit holds it: the
// product with 1/255 in double precision rounds to the same float for
// every byte (each quotient is checked with all colours), and costs less
// than a division.
template <int N>
ZOQ_LANES_INLINE typename ZoqLanes<N>::F UnitScale(typename ZoqLanes<N>::I bytes) {
    using D = typename ZoqLanes<N>::D;
    return __builtin_convertvector(__builtin_convertvector(bytes, D) * (1.0 / 255.0),
                                   typename ZoqLanes<N>::F);
}

// Doubles of N lanes as two halves of N / 2, each filling exactly the
// registers of the instruction set: comparisons and selections on wider
// vectors than the registers would fall apart into scalar code.
template <int N>
struct Wide {
    using F = typename ZoqLanes<N>::F;
    using D = typename ZoqLanes<N / 2>::D;
    using HalfF = typename ZoqLanes<N / 2>::F;
    using HalfI = typename ZoqLanes<N / 2>::I;
    struct Pair {
        D lo, hi;
    };

    static ZOQ_LANES_INLINE Pair Widen(F v) {
        const typename ZoqLanes<N>::D all = __builtin_convertvector(v, typename ZoqLanes<N>::D);
        Pair p;
        std::memcpy(&p, &all, sizeof all);
        return p;
    }
    static ZOQ_LANES_INLINE F Narrow(const Pair& p) {
        return Join<F>(__builtin_convertvector(p.lo, HalfF), __builtin_convertvector(p.hi, HalfF));
    }
    template <typename V, typename H>
    static ZOQ_LANES_INLINE V Join(H lo, H hi) {
        return JoinLanes<V>(lo, hi, std::make_index_sequence<N>());
    }

private:
    template <typename V, typename H, std::size_t... K>
    static ZOQ_LANES_INLINE V JoinLanes(H lo, H hi, std::index_sequence<K...>) {
        return __builtin_shufflevector(lo, hi, K...);
    }
};

// Four pixels with SSE2. A load reads 16 bytes from p; a store writes
// exactly four pixels.
struct Sse2 {
    static constexpr int kLanes = 4;
    static constexpr std::size_t LoadBytes(int bpp) { return bpp == 3 ? 16 : 16; }

    // Each 32-bit lane holds one pixel's bytes in its low 24 bits (and, for
    // 24-bit pixels, the next pixel's first byte above them).
    static ZOQ_LANES_INLINE __m128i Load(const unsigned char* p, int bpp) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (bpp == 4) return v;
        const __m128i a = _mm_unpacklo_epi32(v, _mm_srli_si128(v, 3));
        const __m128i b = _mm_unpacklo_epi32(_mm_srli_si128(v, 6), _mm_srli_si128(v, 9));
        return _mm_unpacklo_epi64(a, b);
    }

    // colours: lanes of blue | green << 8 | red << 16; original: what Load
    // read (its fourth bytes stay).
    static ZOQ_LANES_INLINE void Store(unsigned char* p, int bpp, __m128i colours,
                                       __m128i original) {
        if (bpp == 4) {
            const __m128i alpha = _mm_and_si128(original, _mm_set1_epi32(int(0xFF000000u)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_or_si128(colours, alpha));
            return;
        }
        // Pixels 0, 1 into bytes 0-5 and pixels 2, 3 into bytes 8-13, then
        // the second six moved down to bytes 6-11.
        const __m128i pairs = _mm_or_si128(
            _mm_and_si128(colours, _mm_set1_epi64x(0xFFFFFF)),
            _mm_and_si128(_mm_srli_epi64(colours, 8), _mm_set1_epi64x(0xFFFFFF000000)));
        const __m128i packed =
            _mm_or_si128(_mm_and_si128(pairs, _mm_set_epi32(0, 0, 0xFFFF, -1)),
                         _mm_and_si128(_mm_srli_si128(pairs, 2), _mm_set_epi32(0, -1, -65536, 0)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), packed);
        const int last = _mm_cvtsi128_si32(_mm_srli_si128(packed, 8));
        std::memcpy(p + 8, &last, 4);
    }
};

// Eight pixels with AVX2. A 24-bit load reads 28 bytes from p.
struct Avx2 {
    static constexpr int kLanes = 8;
    static constexpr std::size_t LoadBytes(int bpp) { return bpp == 3 ? 28 : 32; }

    static ZOQ_LANES_INLINE ZOQ_LANES_AVX2 __m256i Load(const unsigned char* p, int bpp) {
        if (bpp == 4) return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i v = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(p + 12),
                                              reinterpret_cast<const __m128i*>(p));
        const __m256i spread =
            _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3,
                             4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
        return _mm256_shuffle_epi8(v, spread);
    }

    static ZOQ_LANES_INLINE ZOQ_LANES_AVX2 void Store(unsigned char* p, int bpp, __m256i colours,
                                                      __m256i original) {
        if (bpp == 4) {
            const __m256i alpha = _mm256_and_si256(original, _mm256_set1_epi32(int(0xFF000000u)));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm256_or_si256(colours, alpha));
            return;
        }
        const __m256i pack =
            _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5,
                             6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
        const __m256i halves = _mm256_shuffle_epi8(colours, pack);  // twelve bytes a half
        const __m256i packed =
            _mm256_permutevar8x32_epi32(halves, _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), _mm256_extracti128_si256(packed, 1));
    }
};

// The kernel on N pixels whose lanes hold blue | green << 8 | red << 16
// in their low bytes (higher bytes ignored); the adjusted pixels, packed
// the same way.
template <int N, typename Kernel>
ZOQ_LANES_INLINE typename ZoqLanes<N>::I Recolour(const Kernel& kernel,
                                                  typename ZoqLanes<N>::I bytes) {
    ZoqPixelLanes<N> px{bytes & 0xFF, (bytes >> 8) & 0xFF, (bytes >> 16) & 0xFF};
    kernel.template Run<N>(px);
    return px.b | (px.g << 8) | (px.r << 16);
}

// Every pixel of a span: vector steps while a load stays inside it, the
// rest through a copy padded to a whole step. Written out for each
// instruction set, so that the loads and stores inline into it.
#define ZOQ_LANES_SPAN(Io)                                          \
    using I = typename ZoqLanes<Io::kLanes>::I;                     \
    constexpr std::size_t N = Io::kLanes;                           \
    /* A copy of its own: stores to the image cannot change it. */  \
    const Kernel local = kernel;                                    \
    const std::size_t bytes = pixels * bpp;                         \
    unsigned char padded[N * 4 + 16] = {};                          \
    for (std::size_t i = 0; i < pixels; i += N) {                   \
        /* The last steps go through the padded copy. */            \
        const bool inside = i * bpp + Io::LoadBytes(bpp) <= bytes;  \
        const std::size_t n = pixels - i < N ? pixels - i : N;      \
        unsigned char* q = inside ? p + i * bpp : padded;           \
        if (!inside) std::memcpy(padded, p + i * bpp, n * bpp);     \
        const auto original = Io::Load(q, bpp);                     \
        const I colours = Recolour<Io::kLanes>(local, (I)original); \
        Io::Store(q, bpp, (decltype(original))colours, original);   \
        if (!inside) std::memcpy(p + i * bpp, padded, n * bpp);     \
    }

template <typename Kernel>
void SpanSse2(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    ZOQ_LANES_SPAN(Sse2)
}

template <typename Kernel>
ZOQ_LANES_AVX2 void SpanAvx2(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    ZOQ_LANES_SPAN(Avx2)
}

#undef ZOQ_LANES_SPAN

// The same for a kernel that only reads: kernel.Read<N>(px, first), first
// the index of the step's first pixel, answers a vector of integers; the
// sum of all their lanes. The lanes of a last, partial step hold zero
// bytes beyond `pixels`.
#define ZOQ_LANES_READ(Io)                                                      \
    using I = typename ZoqLanes<Io::kLanes>::I;                                 \
    constexpr std::size_t N = Io::kLanes;                                       \
    const Kernel local = kernel;                                                \
    const std::size_t bytes = pixels * bpp;                                     \
    unsigned char padded[N * 4 + 16] = {};                                      \
    I total = {};                                                               \
    for (std::size_t i = 0; i < pixels; i += N) {                               \
        const bool inside = i * bpp + Io::LoadBytes(bpp) <= bytes;              \
        const std::size_t n = pixels - i < N ? pixels - i : N;                  \
        if (!inside) std::memcpy(padded, p + i * bpp, n * bpp);                 \
        const I bytesRead = (I)Io::Load(inside ? p + i * bpp : padded, bpp);    \
        ZoqPixelLanes<Io::kLanes> px{bytesRead & 0xFF, (bytesRead >> 8) & 0xFF, \
                                     (bytesRead >> 16) & 0xFF};                 \
        total += local.template Read<Io::kLanes>(px, static_cast<int>(i));      \
    }                                                                           \
    int sum = 0;                                                                \
    for (std::size_t lane = 0; lane < N; ++lane) sum += total[lane];            \
    return sum;

template <typename Kernel>
int ReadSse2(const Kernel& kernel, const unsigned char* p, std::size_t pixels, int bpp) {
    ZOQ_LANES_READ(Sse2)
}

template <typename Kernel>
ZOQ_LANES_AVX2 int ReadAvx2(const Kernel& kernel, const unsigned char* p, std::size_t pixels,
                            int bpp) {
    ZOQ_LANES_READ(Avx2)
}

#undef ZOQ_LANES_READ

}  // namespace zoqlanes

// Runs kernel.Run<N>(ZoqPixelLanes<N>&) over `pixels` pixels of bpp bytes
// (3 or 4) from p, in place; a fourth byte is left as it was.
template <typename Kernel>
void ZoqRunPixelLanes(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    if (ZoqUseAvx2())
        zoqlanes::SpanAvx2(kernel, p, pixels, bpp);
    else
        zoqlanes::SpanSse2(kernel, p, pixels, bpp);
}

// Runs kernel.Read<N>(ZoqPixelLanes<N>&, int first) over `pixels` pixels
// of bpp bytes (3 or 4) from p, which it leaves as they are; the sum of
// what the kernel answers.
template <typename Kernel>
int ZoqReadPixelLanes(const Kernel& kernel, const unsigned char* p, std::size_t pixels, int bpp) {
    return ZoqUseAvx2() ? zoqlanes::ReadAvx2(kernel, p, pixels, bpp)
                        : zoqlanes::ReadSse2(kernel, p, pixels, bpp);
}

// Runs the kernel over every pixel of a 24- or 32-bit image, in blocks of
// rows over TBB's threads; RC_SUCCESS or the image checks' codes.
template <typename Kernel>
int ZoqApplyPixelLanes(const Kernel& kernel, unsigned char* image, int width, int height,
                       int bitCount, std::size_t blockBytes) {
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    const int bpp = bitCount / 8;
    const std::size_t rowBytes = std::size_t(width) * bpp;
    const ZoqRowBlocks blocks(height, rowBytes, blockBytes);
    blocks.Run([&](int, int begin, int end) {
        ZoqRunPixelLanes(kernel, image + std::size_t(begin) * rowBytes,
                         std::size_t(end - begin) * std::size_t(width), bpp);
    });
    return RC_SUCCESS;
}
