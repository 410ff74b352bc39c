// The colour-correction product, one pixel per SSE2 vector: lanes 0, 1, 2
// hold blue', green', red' (the byte order of the image), and each lane sums
// its row in the same order as the scalar (m0 R + m1 G) + m2 B, so the bytes
// equal those of the scalar formula.
#include <emmintrin.h>

#include <cstddef>
#include <cstring>

#include "colourroad/ZOQDevice_ColourImage.h"
#include "colourroad/ZOQDevice_Matrix.h"

namespace {

struct Columns {
    __m128 red, green, blue;  // the matrix column that multiplies each input
};

inline unsigned int ProductBytes(const Columns& c, const unsigned char* p) {
    const __m128 r = _mm_set1_ps(static_cast<float>(p[2]));
    const __m128 g = _mm_set1_ps(static_cast<float>(p[1]));
    const __m128 b = _mm_set1_ps(static_cast<float>(p[0]));
    __m128 v =
        _mm_add_ps(_mm_add_ps(_mm_mul_ps(c.red, r), _mm_mul_ps(c.green, g)), _mm_mul_ps(c.blue, b));
    // maxps answers its second operand for a NaN, so a NaN becomes 0.
    v = _mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), _mm_set1_ps(255.0f));
    const __m128i words = _mm_cvttps_epi32(v);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(words, words), words);
    return static_cast<unsigned int>(_mm_cvtsi128_si32(bytes));  // blue' in the low byte
}

void Apply24(const Columns& c, unsigned char* p, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i, p += 3) {
        const unsigned int v = ProductBytes(c, p);
        p[0] = static_cast<unsigned char>(v);
        p[1] = static_cast<unsigned char>(v >> 8);
        p[2] = static_cast<unsigned char>(v >> 16);
    }
}

void Apply32(const Columns& c, unsigned char* p, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i, p += 4) {
        unsigned int pixel;
        std::memcpy(&pixel, p, 4);
        pixel = (pixel & 0xFF000000u) | (ProductBytes(c, p) & 0x00FFFFFFu);
        std::memcpy(p, &pixel, 4);
    }
}

}  // namespace

int ZoqApplyColourMatrix(const float m[3][3], unsigned char* image, int width, int height,
                         int bitCount) {
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    const Columns c{_mm_setr_ps(m[2][0], m[1][0], m[0][0], 0.0f),
                    _mm_setr_ps(m[2][1], m[1][1], m[0][1], 0.0f),
                    _mm_setr_ps(m[2][2], m[1][2], m[0][2], 0.0f)};
    const std::size_t pixels = ZoqPixelCount(width, height);
    if (bitCount == 24)
        Apply24(c, image, pixels);
    else
        Apply32(c, image, pixels);
    return RC_SUCCESS;
}
