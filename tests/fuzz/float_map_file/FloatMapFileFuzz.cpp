// Float map files (ZOQ_ReadMapfromFile) and the remap with what they hold:
// a map is only taken when the file is exactly its size, and the remap
// stays inside the image wherever the coordinates point.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "zoqapi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Remapped only up to this many pixels, to keep each input quick.
    constexpr uint64_t kMaxPixels = 1u << 16;
    int width = 0, height = 0;
    float* mapX = nullptr;
    float* mapY = nullptr;
    if (!ZOQ_ReadMapfromFile(zoqfuzz::WriteInput(data, size), width, height, mapX, mapY)) {
        if (mapX != nullptr || mapY != nullptr) std::abort();
        return 0;
    }
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    if (width <= 0 || height <= 0 || size != 12 + 8 * pixels) std::abort();
    if (pixels <= kMaxPixels) {
        for (int bytesPerPixel : {1, 3, 4}) {
            const size_t bytes = static_cast<size_t>(pixels) * bytesPerPixel;
            std::vector<unsigned char> src(bytes, 0x5A);
            std::vector<unsigned char> dst(bytes);
            ZOQ_Remap(src.data(), bytesPerPixel, width, height, dst.data(), mapX, mapY);
        }
    }
    delete[] mapX;
    delete[] mapY;
    return 0;
}
