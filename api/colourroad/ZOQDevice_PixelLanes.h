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
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "colourroad/ZOQDevice_ColourImage.h"
#include "geometry/ZOQDevice_LaneWidth.h"
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
// the rest truncated (the lower bound first, so that a NaN ends as 0).
template <typename I, typename V>
ZOQ_LANES_INLINE I TruncateToByte(V v) {
    // maxps/minps answer their second operand unless the first compares
    // greater (smaller): the same as the selections, in one instruction
    // each. The builtins are expanded in the caller, built for the width.
    using E = Element<V>;
    const V zero = Splat<V>(0), top = Splat<V>(255);
    if constexpr (std::is_same_v<E, float> && sizeof(V) == 16) {
        v = __builtin_ia32_minps(__builtin_ia32_maxps(v, zero), top);
    } else if constexpr (std::is_same_v<E, float> && sizeof(V) == 32) {
        v = __builtin_ia32_minps256(__builtin_ia32_maxps256(v, zero), top);
    } else if constexpr (std::is_same_v<E, double> && sizeof(V) == 16) {
        v = __builtin_ia32_minpd(__builtin_ia32_maxpd(v, zero), top);
    } else if constexpr (std::is_same_v<E, double> && sizeof(V) == 32) {
        v = __builtin_ia32_minpd256(__builtin_ia32_maxpd256(v, zero), top);
    } else {
        v = Select(v > 0, v, zero);
        v = Select(v < 255, v, top);
    }
    return __builtin_convertvector(v, I);
}

// byte / 255 in single precision, as zoqcolour::kUnit holds it: the
// product with 1/255 in double precision rounds to the same float for
// every byte (a test checks all 256), and costs less than a division.
template <int N>
ZOQ_LANES_INLINE typename ZoqLanes<N>::F UnitScale(typename ZoqLanes<N>::I bytes) {
    using D = typename ZoqLanes<N>::D;
    return __builtin_convertvector(__builtin_convertvector(bytes, D) * (1.0 / 255.0),
                                   typename ZoqLanes<N>::F);
}

// std::max and std::min per lane.
template <typename V>
ZOQ_LANES_INLINE V Max(V a, V b) {
    return Select(a < b, b, a);
}
template <typename V>
ZOQ_LANES_INLINE V Min(V a, V b) {
    return Select(b < a, b, a);
}

// A colour's channels as fractions of 255 in single precision, with the
// largest and smallest of them, as zoqcolour::Unit has them.
template <int N>
struct UnitChannels {
    using F = typename ZoqLanes<N>::F;
    F r, g, b, max, min;
    ZOQ_LANES_INLINE explicit UnitChannels(const ZoqPixelLanes<N>& px)
        : r(UnitScale<N>(px.r)),
          g(UnitScale<N>(px.g)),
          b(UnitScale<N>(px.b)),
          max(Max(r, Max(g, b))),
          min(Min(r, Min(g, b))) {}
};

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
    static constexpr std::size_t LoadBytes(int) { return 16; }

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

    // Whether any lane of a mask is set.
    static ZOQ_LANES_INLINE bool Any(__m128i mask) { return _mm_movemask_epi8(mask) != 0; }
};

// Eight pixels with AVX2. A 24-bit load reads 28 bytes from p. Not forced
// inline: the drivers below, built for AVX2, take them in, whatever the
// templates between.
struct Avx2 {
    static constexpr int kLanes = 8;
    static constexpr std::size_t LoadBytes(int bpp) { return bpp == 3 ? 28 : 32; }

    static inline ZOQ_LANES_AVX2 __m256i Load(const unsigned char* p, int bpp) {
        if (bpp == 4) return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i v = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(p + 12),
                                              reinterpret_cast<const __m128i*>(p));
        const __m256i spread =
            _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3,
                             4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
        return _mm256_shuffle_epi8(v, spread);
    }

    static inline ZOQ_LANES_AVX2 void Store(unsigned char* p, int bpp, __m256i colours,
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

    static inline ZOQ_LANES_AVX2 bool Any(__m256i mask) { return _mm256_movemask_epi8(mask) != 0; }
};

// The N pixels at i of a span of `pixels` pixels, loaded from the span
// while a whole load stays inside it, else through `padded`, a copy padded
// with zeros to a whole step; write them back with Put.
template <typename Io>
struct Step {
    using I = typename ZoqLanes<Io::kLanes>::I;
    static constexpr std::size_t N = Io::kLanes;
    static constexpr std::size_t kPaddedBytes = N * 4 + 16;

    unsigned char* p;
    std::size_t n;  // pixels of the span from here on, at most N
    bool inside;
    decltype(Io::Load(nullptr, 3)) original;

    ZOQ_LANES_INLINE Step(unsigned char* span, std::size_t pixels, std::size_t i, int bpp,
                          unsigned char* padded)
        : p(span + i * bpp),
          n(pixels - i < N ? pixels - i : N),
          inside((i * bpp + Io::LoadBytes(bpp)) <= pixels * bpp) {
        if (!inside) {
            std::memset(padded, 0, kPaddedBytes);
            std::memcpy(padded, p, n * bpp);
        }
        original = Io::Load(inside ? p : padded, bpp);
    }
    ZOQ_LANES_INLINE I Bytes() const { return (I)original; }
    ZOQ_LANES_INLINE ZoqPixelLanes<Io::kLanes> Pixels() const {
        const I bytes = Bytes();
        return ZoqPixelLanes<Io::kLanes>{bytes & 0xFF, (bytes >> 8) & 0xFF, (bytes >> 16) & 0xFF};
    }
    ZOQ_LANES_INLINE void Put(const ZoqPixelLanes<Io::kLanes>& px, int bpp,
                              unsigned char* padded) const {
        const I colours = px.b | (px.g << 8) | (px.r << 16);
        Io::Store(inside ? p : padded, bpp, (decltype(original))colours, original);
        if (!inside) std::memcpy(p, padded, n * bpp);
    }
};

// Every pixel of a span through kernel.Run<N>(px). A copy of the kernel
// of its own: stores to the image cannot change it.
template <typename Io, typename Kernel>
ZOQ_LANES_INLINE void Span(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    const Kernel local = kernel;
    unsigned char padded[Step<Io>::kPaddedBytes];
    for (std::size_t i = 0; i < pixels; i += Io::kLanes) {
        const Step<Io> step(p, pixels, i, bpp, padded);
        ZoqPixelLanes<Io::kLanes> px = step.Pixels();
        local.template Run<Io::kLanes>(px);
        step.Put(px, bpp, padded);
    }
}

// Every pixel of a span through kernel.Run<N>(px), which answers a mask of
// the lanes it could not do; those pixels are done afterwards, in batches,
// by kernel.Slow(), a kernel of the plain kind, from their original bytes.
template <typename Io, typename Kernel>
ZOQ_LANES_INLINE void SpanRedo(const Kernel& kernel, unsigned char* p, std::size_t pixels,
                               int bpp) {
    using I = typename ZoqLanes<Io::kLanes>::I;
    constexpr std::size_t N = Io::kLanes;
    constexpr std::size_t kBatch = 256;
    const Kernel local = kernel;
    const auto slow = local.Slow();
    unsigned char padded[Step<Io>::kPaddedBytes];
    uint32_t colours[kBatch + N] = {};  // the waiting pixels as 4-byte pixels
    std::size_t at[kBatch];
    std::size_t waiting = 0;
    auto redo = [&]() __attribute__((always_inline)) {
        for (std::size_t j = 0; j < waiting; j += N) {
            // colours has room for a whole step beyond the waiting pixels.
            const Step<Io> step(reinterpret_cast<unsigned char*>(colours), waiting + N, j, 4,
                                padded);
            ZoqPixelLanes<N> px = step.Pixels();
            slow.template Run<N>(px);
            step.Put(px, 4, padded);
        }
        for (std::size_t k = 0; k < waiting; ++k) std::memcpy(p + at[k] * bpp, colours + k, 3);
        waiting = 0;
    };
    for (std::size_t i = 0; i < pixels; i += N) {
        const Step<Io> step(p, pixels, i, bpp, padded);
        ZoqPixelLanes<N> px = step.Pixels();
        const I again = local.template Run<N>(px);
        step.Put(px, bpp, padded);
        if (!Io::Any((decltype(step.original))again)) continue;
        const I bytes = step.Bytes();
        for (std::size_t lane = 0; lane < step.n; ++lane) {
            if (again[lane] == 0) continue;
            colours[waiting] = static_cast<uint32_t>(bytes[lane]) & 0xFFFFFFu;
            at[waiting++] = i + lane;
        }
        if (waiting + N > kBatch) redo();
    }
    redo();
}

// Every pixel of a span through kernel.Read<N>(px, first), first the index
// of the step's first pixel, which leaves them as they are and answers a
// vector of integers; the sum of all their lanes. The lanes of a last,
// partial step hold zero bytes beyond the span.
template <typename Io, typename Kernel>
ZOQ_LANES_INLINE int Read(const Kernel& kernel, const unsigned char* p, std::size_t pixels,
                          int bpp) {
    using I = typename ZoqLanes<Io::kLanes>::I;
    const Kernel local = kernel;
    unsigned char padded[Step<Io>::kPaddedBytes];
    I total = {};
    for (std::size_t i = 0; i < pixels; i += Io::kLanes) {
        const Step<Io> step(const_cast<unsigned char*>(p), pixels, i, bpp, padded);
        ZoqPixelLanes<Io::kLanes> px = step.Pixels();
        total += local.template Read<Io::kLanes>(px, static_cast<int>(i));
    }
    int sum = 0;
    for (int lane = 0; lane < Io::kLanes; ++lane) sum += total[lane];
    return sum;
}

// The drivers built for each instruction set.
template <typename Kernel>
void SpanSse2(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    Span<Sse2>(kernel, p, pixels, bpp);
}
template <typename Kernel>
ZOQ_LANES_AVX2 void SpanAvx2(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    Span<Avx2>(kernel, p, pixels, bpp);
}
template <typename Kernel>
void SpanRedoSse2(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    SpanRedo<Sse2>(kernel, p, pixels, bpp);
}
template <typename Kernel>
ZOQ_LANES_AVX2 void SpanRedoAvx2(const Kernel& kernel, unsigned char* p, std::size_t pixels,
                                 int bpp) {
    SpanRedo<Avx2>(kernel, p, pixels, bpp);
}
template <typename Kernel>
int ReadSse2(const Kernel& kernel, const unsigned char* p, std::size_t pixels, int bpp) {
    return Read<Sse2>(kernel, p, pixels, bpp);
}
template <typename Kernel>
ZOQ_LANES_AVX2 int ReadAvx2(const Kernel& kernel, const unsigned char* p, std::size_t pixels,
                            int bpp) {
    return Read<Avx2>(kernel, p, pixels, bpp);
}

// Kernels whose Run answers a mask of lanes to do again.
template <typename Kernel, typename = void>
struct Redoes : std::false_type {};
template <typename Kernel>
struct Redoes<Kernel, std::void_t<decltype(std::declval<const Kernel&>().Slow())>>
    : std::true_type {};

}  // namespace zoqlanes

// Runs kernel.Run<N>(ZoqPixelLanes<N>&) over `pixels` pixels of bpp bytes
// (3 or 4) from p, in place; a fourth byte is left as it was.
template <typename Kernel>
void ZoqRunPixelLanes(const Kernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    if constexpr (zoqlanes::Redoes<Kernel>::value) {
        if (ZoqUseAvx2())
            zoqlanes::SpanRedoAvx2(kernel, p, pixels, bpp);
        else
            zoqlanes::SpanRedoSse2(kernel, p, pixels, bpp);
    } else {
        if (ZoqUseAvx2())
            zoqlanes::SpanAvx2(kernel, p, pixels, bpp);
        else
            zoqlanes::SpanSse2(kernel, p, pixels, bpp);
    }
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
