// Standalone calibration-map helpers with floating-point coordinates.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "zoqapi.h"

namespace {

constexpr uint32_t kFloatMapMagic = 0x40000000;

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool ReadInt32(FILE* file, int32_t* value) {
    unsigned char bytes[4];
    if (fread(bytes, 1, 4, file) != 4) return false;
    *value = static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | (uint32_t{bytes[1]} << 8) |
                                  (uint32_t{bytes[2]} << 16) | (uint32_t{bytes[3]} << 24));
    return true;
}

}  // namespace

ZOQ_EXPORT bool ZOQ_ReadMapfromFile(const char* path, int& width, int& height, float*& mapX,
                                    float*& mapY) {
    if (path == nullptr) return false;
    File file(fopen(path, "rb"));
    if (!file) return false;
    if (fseek(file.get(), 0, SEEK_END) != 0) return false;
    long size = ftell(file.get());
    if (size <= 11 || fseek(file.get(), 0, SEEK_SET) != 0) return false;
    int32_t magic = 0;
    int32_t w = 0;
    int32_t h = 0;
    if (!ReadInt32(file.get(), &magic) || static_cast<uint32_t>(magic) != kFloatMapMagic)
        return false;
    if (!ReadInt32(file.get(), &w) || !ReadInt32(file.get(), &h)) return false;
    width = w;
    height = h;
    if (w <= 0 || h <= 0) return false;
    int64_t count = int64_t{w} * h;
    if (12 + 8 * count != size) return false;
    std::unique_ptr<float[]> x(new (std::nothrow) float[static_cast<size_t>(count)]);
    std::unique_ptr<float[]> y(new (std::nothrow) float[static_cast<size_t>(count)]);
    if (!x || !y) return false;
    if (fread(x.get(), sizeof(float), static_cast<size_t>(count), file.get()) !=
            static_cast<size_t>(count) ||
        fread(y.get(), sizeof(float), static_cast<size_t>(count), file.get()) !=
            static_cast<size_t>(count))
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
        float x = mapX[i];
        float y = static_cast<float>(height) - mapY[i];  // map rows count from the bottom
        double tx = std::trunc(static_cast<double>(x));
        double ty = std::trunc(static_cast<double>(y));
        bool inside = std::isfinite(tx) && std::isfinite(ty) && std::fabs(tx) < 1e9 &&
                      std::fabs(ty) < 1e9;
        int64_t offset = inside ? bpp * (static_cast<int64_t>(tx) + width * static_cast<int64_t>(ty))
                                : -1;
        if (offset < 0 || offset > last) {
            for (int64_t c = 0; c < bpp; ++c) out[c] = 0;
            continue;
        }
        float fx = x - static_cast<float>(tx);
        float fy = y - static_cast<float>(ty);
        const unsigned char* p = src + offset;
        for (int64_t c = 0; c < bpp; ++c) {
            float P = p[c];
            float R = p[c + bpp];
            float Q = p[c + stride];
            float S = p[c + stride + bpp];
            float v = (Q - P) * fy + (P + S - R - Q) * fx * fy + (R - P) * fx + P;
            out[c] = static_cast<unsigned char>(static_cast<int>(v));
        }
    }
}
