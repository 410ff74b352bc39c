#include "colourroad/ZOQDevice_AWB_Tables.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "colourroad/ZOQDevice_ColourConvert.h"
#include "colourroad/ZOQDevice_ColourImage.h"
#include "geometry/ZOQDevice_RowBlocks.h"

namespace {

void BuildTable(unsigned char* table, float gain) {
    for (int i = 0; i < 256; ++i)
        table[i] =
            zoqcolour::TruncateToByte(static_cast<double>(static_cast<float>(i) * gain) + 0.5);
}

// Four 24-bit pixels (twelve bytes) a step, read and written as one 64-bit
// and one 32-bit word.
void Apply24(const unsigned char* blue, const unsigned char* green, const unsigned char* red,
             unsigned char* p, std::size_t pixels) {
    const unsigned char* tables[3] = {blue, green, red};
    std::size_t i = 0;
    for (; i + 4 <= pixels; i += 4, p += 12) {
        uint64_t a;
        uint32_t b;
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + 8, 4);
        uint64_t outA = 0;
        uint32_t outB = 0;
        for (int k = 0; k < 8; ++k)
            outA |= uint64_t{tables[k % 3][(a >> (8 * k)) & 0xFF]} << (8 * k);
        for (int k = 0; k < 4; ++k)
            outB |= uint32_t{tables[(k + 8) % 3][(b >> (8 * k)) & 0xFF]} << (8 * k);
        std::memcpy(p, &outA, 8);
        std::memcpy(p + 8, &outB, 4);
    }
    for (; i < pixels; ++i, p += 3) {
        p[0] = blue[p[0]];
        p[1] = green[p[1]];
        p[2] = red[p[2]];
    }
}

// One 32-bit pixel a step; the fourth byte passes through.
void Apply32(const unsigned char* blue, const unsigned char* green, const unsigned char* red,
             unsigned char* p, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i, p += 4) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        v = (v & 0xFF000000u) | blue[v & 0xFF] | uint32_t{green[(v >> 8) & 0xFF]} << 8 |
            uint32_t{red[(v >> 16) & 0xFF]} << 16;
        std::memcpy(p, &v, 4);
    }
}

}  // namespace

ZoqGainTables::ZoqGainTables() {
    const float unity[3] = {1.0f, 1.0f, 1.0f};
    Build(unity);
}

void ZoqGainTables::Build(const float gains[3]) {
    BuildTable(m_red, gains[0]);
    BuildTable(m_green, gains[1]);
    BuildTable(m_blue, gains[2]);
}

int ZoqGainTables::Apply(unsigned char* image, int width, int height, int bitCount) const {
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    const int bpp = bitCount / 8;
    ZoqForEachSpan(ZoqPixelCount(width, height), ZoqRowBlocks::kLightBytes / 4,
                   [=](std::size_t begin, std::size_t end) {
                       ApplySpan(image + begin * bpp, end - begin, bpp);
                   });
    return RC_SUCCESS;
}

void ZoqGainTables::ApplySpan(unsigned char* p, std::size_t pixels, int bpp) const {
    if (bpp == 3)
        Apply24(m_blue, m_green, m_red, p, pixels);
    else
        Apply32(m_blue, m_green, m_red, p, pixels);
}
