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
ZOQ_LANES_AVX2 std::size_t Matrix24Avx2(const float m[3][3], unsigned char* p,
                                        std::size_t pixels) {
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

void RunMatrix(const MatrixKernel& kernel, unsigned char* p, std::size_t pixels, int bpp) {
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
