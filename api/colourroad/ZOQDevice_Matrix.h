// Colour-correction state of a device and the per-pixel matrix product.
#pragma once

#include <cstddef>

#include "zoq_types.h"

struct ZoqColourMatrix {
    ZOQ_CCM_MODE mode = ZOQ_CCM_OFF;
    ZOQ_COLOR_TEMPRATURE presetting = ZOQ_COLOR_TEMPRATURE_0;
    // Row 0 gives red, row 1 green, row 2 blue; columns multiply red, green,
    // blue.
    float matrix[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};

    void Reset() { *this = ZoqColourMatrix(); }
};

// Every pixel of a 24- or 32-bit image becomes M x (R, G, B), each row
// summed left to right in single precision, clamped to 0..255 and truncated
// (a NaN gives 0). RC_SUCCESS or the image checks' codes.
int ZoqApplyColourMatrix(const float matrix[3][3], unsigned char* image, int width, int height,
                         int bitCount);
// The same on `pixels` pixels of bpp bytes (3 or 4) from p, on this thread.
void ZoqApplyColourMatrixSpan(const float matrix[3][3], unsigned char* p, std::size_t pixels,
                              int bpp);
