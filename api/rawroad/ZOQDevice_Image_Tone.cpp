#include "rawroad/ZOQDevice_Image_Tone.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include <immintrin.h>

#include "geometry/ZOQDevice_LaneWidth.h"
#include "geometry/ZOQDevice_RowBlocks.h"

namespace {

// Gamma exponent by gamma value + 9.
constexpr float g_GammaValueMap[19] = {1.9f, 1.8f, 1.7f, 1.6f, 1.5f, 1.4f, 1.3f, 1.2f, 1.1f, 1.0f,
                                       0.9f, 0.8f, 0.7f, 0.6f, 0.5f, 0.4f, 0.3f, 0.2f, 0.1f};

int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

void Identity(unsigned char* table) {
    for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
}

}  // namespace

ZoqToneTables::ZoqToneTables() {
    Identity(m_gammaTable);
    Identity(m_contrastTable);
    Identity(m_brightnessTable);
    Identity(m_combined);
}

void ZoqToneTables::SetGamma(int value) {
    if (value == m_gamma) return;
    m_gamma = Clamp(value, kGammaMin, kGammaMax);
    const float exponent = g_GammaValueMap[m_gamma + 9];
    for (int i = 0; i < 256; ++i) {
        float x = (static_cast<float>(i) + 0.5f) / 256.0f;
        float y =
            static_cast<float>(std::pow(static_cast<double>(x), static_cast<double>(exponent)));
        m_gammaTable[i] = static_cast<unsigned char>(static_cast<int>(y * 256.0f - 0.5f));
    }
    Combine();
}

void ZoqToneTables::SetContrast(int value) {
    value = Clamp(value, kLevelMin, kLevelMax);
    if (value == m_contrast) return;
    m_contrast = value;
    const int k = value + 128;
    for (int i = 0; i < 256; ++i) {
        int d = (i - 128) * k / 128;
        int entry = 128 + d;
        if (d < -128) entry = 0;
        if (entry > 255) entry = 255;
        m_contrastTable[i] = static_cast<unsigned char>(entry);
    }
    Combine();
}

void ZoqToneTables::SetBrightness(int value) {
    value = Clamp(value, kLevelMin, kLevelMax);
    if (value == m_brightness) return;
    m_brightness = value;
    const int k = value + 128;
    for (int i = 0; i < 256; ++i) {
        int entry = i * k / 128;
        m_brightnessTable[i] = static_cast<unsigned char>(entry > 255 ? 255 : entry);
    }
    Combine();
}

void ZoqToneTables::Combine() {
    for (int i = 0; i < 256; ++i) {
        unsigned char s = static_cast<unsigned char>(i);
        if (m_gamma != 0) s = m_gammaTable[s];
        if (m_contrast != 0) s = m_contrastTable[s];
        if (m_brightness != 0) s = m_brightnessTable[s];
        m_combined[i] = s;
    }
    m_active = m_gamma != 0 || m_contrast != 0 || m_brightness != 0;
}

namespace {

// Eight samples a step through one 64-bit load and store: the look-ups are
// what is left to do.
void LookUp(const unsigned char* table, unsigned char* data, size_t begin, size_t end) {
    size_t i = begin;
    for (; i + 8 <= end; i += 8) {
        uint64_t in;
        std::memcpy(&in, data + i, 8);
        uint64_t out = 0;
        for (int k = 0; k < 8; ++k) out |= uint64_t{table[(in >> (8 * k)) & 0xFF]} << (8 * k);
        std::memcpy(data + i, &out, 8);
    }
    for (; i < end; ++i) data[i] = table[data[i]];
}

// 64 samples a step with AVX-512's byte permutes: each of two permutes
// looks up 128 entries (bit 6 of a sample picks the register), and bit 7
// picks between the two; the tail as above.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void LookUp512(const unsigned char* table,
                                                                      unsigned char* data,
                                                                      size_t begin, size_t end) {
    const __m512i t0 = _mm512_loadu_si512(table);
    const __m512i t1 = _mm512_loadu_si512(table + 64);
    const __m512i t2 = _mm512_loadu_si512(table + 128);
    const __m512i t3 = _mm512_loadu_si512(table + 192);
    size_t i = begin;
    for (; i + 64 <= end; i += 64) {
        const __m512i in = _mm512_loadu_si512(data + i);
        const __m512i low = _mm512_permutex2var_epi8(t0, in, t1);
        const __m512i high = _mm512_permutex2var_epi8(t2, in, t3);
        _mm512_storeu_si512(data + i, _mm512_mask_blend_epi8(_mm512_movepi8_mask(in), low, high));
    }
    LookUp(table, data, i, end);
}

}  // namespace

void ZoqToneTables::Apply(unsigned char* data, size_t count) const {
    if (!m_active || data == nullptr) return;
    const unsigned char* table = m_combined;
    if (ZoqUseAvx512())
        ZoqForEachSpan(count, ZoqRowBlocks::kLightBytes,
                       [=](size_t begin, size_t end) { LookUp512(table, data, begin, end); });
    else
        ZoqForEachSpan(count, ZoqRowBlocks::kLightBytes,
                       [=](size_t begin, size_t end) { LookUp(table, data, begin, end); });
}
