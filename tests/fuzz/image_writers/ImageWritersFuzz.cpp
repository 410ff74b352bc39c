// The BMP and JPEG writers with any width, height, bit count and quality,
// given a buffer of exactly the bytes a capture of that shape delivers (rows
// without padding): they must write what fits and refuse the rest without
// reading past the buffer.
//
// Input: width, height, bit count and quality as little-endian 32-bit
// integers, then pixel bytes (repeated to fill the image).
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzSupport.h"
#include "zoqapi.h"

namespace {

int32_t Le32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return static_cast<int32_t>(v);
}

// Images up to this size are written; larger valid shapes are skipped to
// keep each input quick (the header fields are what the fuzzer looks for).
constexpr uint64_t kMaxImageBytes = 4u << 20;

long long FileSize(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kHeader = 16;
    if (size < kHeader) return 0;
    const int width = Le32(data);
    const int height = Le32(data + 4);
    const int bitCount = Le32(data + 8);
    const int quality = Le32(data + 12);
    const bool valid = width > 0 && height > 0 && (bitCount == 8 || bitCount == 24 || bitCount == 32);
    const uint64_t row = valid ? uint64_t(width) * uint64_t(bitCount / 8) : 0;
    if (valid && row * uint64_t(height) > kMaxImageBytes) return 0;

    // A capture's buffer for the shape; one byte for shapes no capture has.
    std::vector<uint8_t> image(valid ? static_cast<size_t>(row * uint64_t(height)) : 1);
    const uint8_t* pixels = data + kHeader;
    const size_t pixelBytes = size - kHeader;
    for (size_t i = 0; pixelBytes > 0 && i < image.size(); ++i) image[i] = pixels[i % pixelBytes];

    const char* out = zoqfuzz::OutputPath();
    std::remove(out);
    const int bmp = ZOQ_HelperSaveToBmp(image.data(), width, height, bitCount, out);
    if (!valid) {
        if (bmp != RC_PARAMETER_ERROR) std::abort();
    } else if (bmp == RC_SUCCESS) {
        // Headers, the gray palette, rows padded to 4 bytes.
        const uint64_t padded = (row + 3) / 4 * 4;
        const uint64_t expected = 54 + (bitCount == 8 ? 1024 : 0) + padded * uint64_t(height);
        if (FileSize(out) != static_cast<long long>(expected)) std::abort();
    } else if (bmp != RC_PARAMETER_ERROR) {
        std::abort();  // every shape that fits the size limit above fits a BMP
    }

    std::remove(out);
    const int jpg = ZOQ_HelperSaveToJpg(image.data(), width, height, bitCount, quality, out);
    // Baseline JPEG holds at most 65500 pixels a side; libjpeg refuses more.
    const bool fitsJpeg = width <= 65500 && height <= 65500;
    if (jpg != (!valid ? RC_PARAMETER_ERROR : fitsJpeg ? RC_SUCCESS : RC_FAIL)) std::abort();
    if (jpg == RC_SUCCESS && FileSize(out) <= 0) std::abort();
    return 0;
}
