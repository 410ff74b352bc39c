// The image every colour stage works on: width x height BGR pixels of 24 or
// 32 bits (the fourth byte is never touched), in place.
#pragma once

#include <cstddef>

#include "zoq_errors.h"

// RC_SUCCESS when a colour stage can work on the image; RC_PARAMETER_ERROR
// for a null image or an empty size; RC_NOT_SUPPORTED for any other bit
// count (8-bit gray output).
inline int ZoqColourImageCheck(const unsigned char* image, int width, int height, int bitCount) {
    if (image == nullptr || width <= 0 || height <= 0) return RC_PARAMETER_ERROR;
    return (bitCount == 24 || bitCount == 32) ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

inline std::size_t ZoqPixelCount(int width, int height) {
    return std::size_t(width) * std::size_t(height);
}
