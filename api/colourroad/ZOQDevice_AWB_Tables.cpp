#include "colourroad/ZOQDevice_AWB_Tables.h"

#include <cstddef>

#include "colourroad/ZOQDevice_ColourConvert.h"
#include "colourroad/ZOQDevice_ColourImage.h"

namespace {

void BuildTable(unsigned char* table, float gain) {
    for (int i = 0; i < 256; ++i)
        table[i] =
            zoqcolour::TruncateToByte(static_cast<double>(static_cast<float>(i) * gain) + 0.5);
}

template <int BytesPerPixel>
void ApplyTables(const unsigned char* blue, const unsigned char* green, const unsigned char* red,
                 unsigned char* p, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i, p += BytesPerPixel) {
        p[0] = blue[p[0]];
        p[1] = green[p[1]];
        p[2] = red[p[2]];
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
    const std::size_t pixels = ZoqPixelCount(width, height);
    if (bitCount == 24)
        ApplyTables<3>(m_blue, m_green, m_red, image, pixels);
    else
        ApplyTables<4>(m_blue, m_green, m_red, image, pixels);
    return RC_SUCCESS;
}
