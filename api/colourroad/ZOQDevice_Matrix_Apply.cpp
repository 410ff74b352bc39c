// The colour-correction product on vector lanes: each lane sums its rows in
// the order of the scalar formula, (m0 R + m1 G) + m2 B, in single precision
// without fused multiply-add, so the bytes equal the scalar formula's.
#include <cstring>

#include "colourroad/ZOQDevice_Matrix.h"
#include "colourroad/ZOQDevice_PixelLanes.h"

namespace {

struct MatrixKernel {
    float m[3][3];

    template <int N>
    ZOQ_LANES_INLINE void Run(ZoqPixelLanes<N>& px) const {
        using F = typename ZoqLanes<N>::F;
        using I = typename ZoqLanes<N>::I;
        const F r = __builtin_convertvector(px.r, F);
        const F g = __builtin_convertvector(px.g, F);
        const F b = __builtin_convertvector(px.b, F);
        px.r = Row<F, I>(m[0], r, g, b);
        px.g = Row<F, I>(m[1], r, g, b);
        px.b = Row<F, I>(m[2], r, g, b);
    }

    template <typename F, typename I>
    static ZOQ_LANES_INLINE I Row(const float* row, F r, F g, F b) {
        const F v = (row[0] * r + row[1] * g) + row[2] * b;
        return zoqlanes::TruncateToByte<I>(v);
    }
};

// 24-bit pixels with AVX2, eight a step, in fewer instructions than the
// lanes above: each channel straight from the loaded bytes by one shuffle,
// and the clamp to a byte by the packs' saturation (below 0, NaN and the
// integer of a value too large to convert all end as 0, as the clamp has
// it); only the top needs a minimum, with 255 first so that a NaN passes
// through to the packs. Answers how many pixels it did, leaving a tail.
ZOQ_LANES_AVX2 std::size_t Matrix24Avx2(const float m[3][3], unsigned char* p, std::size_t pixels) {
    __m256 k[3][3];
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) k[row][column] = _mm256_set1_ps(m[row][column]);
    const __m256i pickB =
        _mm256_setr_epi8(0, -1, -1, -1, 3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1, 0, -1, -1, -1,
                         3, -1, -1, -1, 6, -1, -1, -1, 9, -1, -1, -1);
    const __m256i pickG = _mm256_add_epi32(pickB, _mm256_set1_epi32(1));
    const __m256i pickR = _mm256_add_epi32(pickB, _mm256_set1_epi32(2));
    // In each half after the packs: blue 0-3, green 4-7, red 8-11.
    const __m256i interleave =
        _mm256_setr_epi8(0, 4, 8, 1, 5, 9, 2, 6, 10, 3, 7, 11, -1, -1, -1, -1, 0, 4, 8, 1, 5, 9, 2,
                         6, 10, 3, 7, 11, -1, -1, -1, -1);
    const __m256i join = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
    const __m256 top = _mm256_set1_ps(255.0f);
    std::size_t i = 0;
    for (; i + 10 <= pixels; i += 8) {  // a load reads 28 bytes
        unsigned char* q = p + i * 3;
        const __m256i v = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(q + 12),
                                              reinterpret_cast<const __m128i*>(q));
        const __m256 b = _mm256_cvtepi32_ps(_mm256_shuffle_epi8(v, pickB));
        const __m256 g = _mm256_cvtepi32_ps(_mm256_shuffle_epi8(v, pickG));
        const __m256 r = _mm256_cvtepi32_ps(_mm256_shuffle_epi8(v, pickR));
        __m256i out[3];
        for (int row = 0; row < 3; ++row) {
            const __m256 sum = _mm256_add_ps(
                _mm256_add_ps(_mm256_mul_ps(k[row][0], r), _mm256_mul_ps(k[row][1], g)),
                _mm256_mul_ps(k[row][2], b));
            out[row] = _mm256_cvttps_epi32(_mm256_min_ps(top, sum));
        }
        const __m256i blueGreen = _mm256_packs_epi32(out[2], out[1]);
        const __m256i red = _mm256_packs_epi32(out[0], out[0]);
        const __m256i bytes = _mm256_packus_epi16(blueGreen, red);
        const __m256i packed =
            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(bytes, interleave), join);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm256_castsi256_si128(packed));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(q + 16), _mm256_extracti128_si256(packed, 1));
    }
    return i;
}

// Byte positions for the AVX-512 path: each channel of pixel j from byte
// 3j + channel into the low byte of lane j; and back, output byte o from
// the packs' layout (four pixels a 128-bit quarter: blue 0-3, green 4-7,
// red 8-11).
struct Matrix512Bytes {
    alignas(64) unsigned char pick[3][64];
    alignas(64) unsigned char place[64];
    constexpr Matrix512Bytes() : pick(), place() {
        for (int c = 0; c < 3; ++c)
            for (int j = 0; j < 16; ++j) pick[c][4 * j] = static_cast<unsigned char>(3 * j + c);
        for (int o = 0; o < 48; ++o) {
            const int pixel = o / 3, channel = o % 3;
            place[o] = static_cast<unsigned char>((pixel / 4) * 16 + channel * 4 + pixel % 4);
        }
    }
};
constexpr Matrix512Bytes kMatrix512{};

// Sixteen 24-bit pixels a step with AVX-512, as Matrix24Avx2 does eight
// (a masked store would cost more than two plain ones here). The products
// and sums go through the rounding-mode forms, which the compiler never
// fuses into multiply-adds.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) std::size_t Matrix24Avx512(
    const float m[3][3], unsigned char* p, std::size_t pixels) {
    constexpr int kRound = _MM_FROUND_CUR_DIRECTION;
    __m512 k[3][3];
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) k[row][column] = _mm512_set1_ps(m[row][column]);
    __m512i pick[3];
    for (int c = 0; c < 3; ++c) pick[c] = _mm512_load_si512(kMatrix512.pick[c]);
    const __m512i place = _mm512_load_si512(kMatrix512.place);
    const __mmask64 lowBytes = 0x1111111111111111ull;
    const __m512 top = _mm512_set1_ps(255.0f);
    // The zero-masked forms throughout, every lane on: the plain ones start
    // from an undefined register, which GCC 12 reports as uninitialised.
    const __mmask16 all = 0xFFFF;
    const __mmask64 allBytes = ~0ull;
    std::size_t i = 0;
    for (; i + 22 <= pixels; i += 16) {  // a load reads 64 bytes
        unsigned char* q = p + i * 3;
        const __m512i v = _mm512_loadu_si512(q);
        __m512 c[3];
        for (int channel = 0; channel < 3; ++channel)
            c[channel] = _mm512_maskz_cvtepi32_ps(
                all, _mm512_maskz_permutexvar_epi8(lowBytes, pick[channel], v));
        const __m512 b = c[0], g = c[1], r = c[2];
        __m512i out[3];
        for (int row = 0; row < 3; ++row) {
            const __m512 sum = _mm512_maskz_add_round_ps(
                all,
                _mm512_maskz_add_round_ps(all, _mm512_maskz_mul_round_ps(all, k[row][0], r, kRound),
                                          _mm512_maskz_mul_round_ps(all, k[row][1], g, kRound),
                                          kRound),
                _mm512_maskz_mul_round_ps(all, k[row][2], b, kRound), kRound);
            out[row] = _mm512_maskz_cvttps_epi32(all, _mm512_maskz_min_ps(all, top, sum));
        }
        const __mmask32 allWords = ~0u;
        const __m512i blueGreen = _mm512_maskz_packs_epi32(allWords, out[2], out[1]);
        const __m512i red = _mm512_maskz_packs_epi32(allWords, out[0], out[0]);
        const __m512i bytes = _mm512_maskz_packus_epi16(allBytes, blueGreen, red);
        const __m512i packed = _mm512_maskz_permutexvar_epi8(allBytes, place, bytes);
        std::memcpy(q, &packed, 48);
    }
    return i;
}

void RunMatrix(const MatrixKernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
    if (bpp == 3 && ZoqUseAvx512()) {
        const std::size_t done = Matrix24Avx512(kernel.m, p, pixels);
        p += done * 3;
        pixels -= done;
    }
    if (bpp == 3 && ZoqUseAvx2()) {
        const std::size_t done = Matrix24Avx2(kernel.m, p, pixels);
        p += done * 3;
        pixels -= done;
    }
    ZoqRunPixelLanes(kernel, p, pixels, bpp);
}

}  // namespace

int ZoqApplyColourMatrix(const float m[3][3], unsigned char* image, int width, int height,
                         int bitCount) {
    MatrixKernel kernel;
    std::memcpy(kernel.m, m, sizeof kernel.m);
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    const int bpp = bitCount / 8;
    const std::size_t rowBytes = std::size_t(width) * bpp;
    const ZoqRowBlocks blocks(height, rowBytes, ZoqRowBlocks::kLightBytes);
    blocks.Run([&](int, int begin, int end) {
        RunMatrix(kernel, image + std::size_t(begin) * rowBytes,
                  std::size_t(end - begin) * std::size_t(width), bpp);
    });
    return RC_SUCCESS;
}

void ZoqApplyColourMatrixSpan(const float m[3][3], unsigned char* p, std::size_t pixels, int bpp) {
    MatrixKernel kernel;
    std::memcpy(kernel.m, m, sizeof kernel.m);
    RunMatrix(kernel, p, pixels, bpp);
}
