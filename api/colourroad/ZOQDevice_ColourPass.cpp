#include "colourroad/ZOQDevice_ColourPass.h"

#include <cstddef>

#include "colourroad/ZOQDevice_AWB_Tables.h"
#include "colourroad/ZOQDevice_ColourImage.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_Matrix.h"
#include "geometry/ZOQDevice_RowBlocks.h"

int ZoqApplyColourPass(const ZoqColourPass& pass, unsigned char* image, int width, int height,
                       int bitCount) {
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    const int bpp = bitCount / 8;
    const std::size_t rowBytes = std::size_t(width) * bpp;
    // Blocks of the heavy stages' size when a conversion runs: small enough
    // to stay in the core's own cache from the first stage to the last.
    const bool heavy = (pass.saturation != nullptr && pass.saturation->Value() != 0) ||
                       (pass.hsl != nullptr && pass.hsl->Enabled());
    const ZoqRowBlocks blocks(height, rowBytes,
                              heavy ? ZoqRowBlocks::kHeavyBytes : ZoqRowBlocks::kLightBytes);
    blocks.Run([&](int, int begin, int end) {
        unsigned char* p = image + std::size_t(begin) * rowBytes;
        const std::size_t pixels = std::size_t(end - begin) * std::size_t(width);
        if (pass.gains != nullptr) pass.gains->ApplySpan(p, pixels, bpp);
        if (pass.matrix != nullptr) ZoqApplyColourMatrixSpan(pass.matrix, p, pixels, bpp);
        if (pass.saturation != nullptr) pass.saturation->ApplySpan(p, pixels, bpp);
        if (pass.hsl != nullptr) pass.hsl->ApplySpan(p, pixels, bpp);
    });
    return RC_SUCCESS;
}
