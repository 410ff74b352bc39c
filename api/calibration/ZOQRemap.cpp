// Standalone calibration-map helpers with floating-point coordinates.
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>

#include "platform/ZOQDataFile.h"
#include "zoqapi.h"

namespace {

constexpr uint32_t kFloatMapMagic = 0x40000000;
constexpr long kHeaderBytes = 12;

}  // namespace

ZOQ_EXPORT bool ZOQ_ReadMapfromFile(const char* path, int& width, int& height, float*& mapX,
                                    float*& mapY) {
    ZoqDataFile file(path);
    if (!file.IsOpen()) return false;
    const long size = file.Size();
    unsigned char header[kHeaderBytes];
    if (size < kHeaderBytes || !file.Read(header, sizeof header)) return false;
    if (ZoqLe32(header) != kFloatMapMagic) return false;
    const int32_t w = ZoqLe32Signed(header + 4);
    const int32_t h = ZoqLe32Signed(header + 8);
    width = w;
    height = h;
    // Compared as a pixel count so that no size can overflow the product.
    if (w <= 0 || h <= 0 || (size - kHeaderBytes) % 8 != 0) return false;
    const uint64_t count = uint64_t(w) * uint64_t(h);
    if (static_cast<uint64_t>(size - kHeaderBytes) / 8 != count) return false;
    std::unique_ptr<float[]> x(new (std::nothrow) float[count]);
    std::unique_ptr<float[]> y(new (std::nothrow) float[count]);
    if (!x || !y) return false;
    if (!file.Read(x.get(), count * sizeof(float)) || !file.Read(y.get(), count * sizeof(float)))
        return false;
    mapX = x.release();
    mapY = y.release();
    return true;
}

ZOQ_EXPORT void ZOQ_Remap(unsigned char* src, int bytesPerPixel, int width, int height,
                          unsigned char* dst, float* mapX, float* mapY) {
    if (src == nullptr || dst == nullptr || mapX == nullptr || mapY == nullptr ||
        bytesPerPixel <= 0 || width <= 0 || height <= 0)
        return;
    const int64_t bpp = bytesPerPixel;
    // The last offset whose right and lower neighbours are still inside.
    const int64_t last = bpp * (int64_t{width} * (height - 1) - 2);
    const int64_t stride = bpp * width;
    const int64_t pixels = int64_t{width} * height;
    for (int64_t i = 0; i < pixels; ++i) {
        unsigned char* out = dst + i * bpp;
        const float x = mapX[i];
        const float y = static_cast<float>(height) - mapY[i];  // map rows count from the bottom
        const float tx = std::trunc(x);
        const float ty = std::trunc(y);
        // Coordinates far outside (or not numbers) land outside as well.
        const bool near = std::fabs(tx) < 1e9f && std::fabs(ty) < 1e9f;
        const int64_t offset =
            near ? bpp * (static_cast<int64_t>(tx) + width * static_cast<int64_t>(ty)) : -1;
        if (offset < 0 || offset > last) {
            for (int64_t c = 0; c < bpp; ++c) out[c] = 0;
            continue;
        }
        const float fx = x - tx;
        const float fy = y - ty;
        const unsigned char* p = src + offset;
        for (int64_t c = 0; c < bpp; ++c) {
            const float P = p[c];
            const float R = p[c + bpp];
            const float Q = p[c + stride];
            const float S = p[c + stride + bpp];
            const float v = (Q - P) * fy + (P + S - R - Q) * fx * fy + (R - P) * fx + P;
            out[c] = static_cast<unsigned char>(static_cast<int>(v));
        }
    }
}
