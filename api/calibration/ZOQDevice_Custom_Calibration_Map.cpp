#include "calibration/ZOQDevice_Custom_Calibration_Map.h"

#include <cstring>
#include <new>

#include "platform/ZOQDataFile.h"
#include "zoq_errors.h"

namespace {

constexpr size_t kHeaderBytes = 24;
constexpr uint16_t kMagic = 0x4D43;  // "CM"
constexpr uint16_t kVersion = 0x0100;

using Array = std::unique_ptr<uint16_t[]>;

// Reads the first `count` entries of an array of `bytes` bytes.
bool ReadArray(ZoqDataFile& file, uint16_t* array, size_t count, uint64_t bytes) {
    return file.ReadLe16(array, count) && file.Skip(bytes - 2 * uint64_t{count});
}

}  // namespace

int ZoqCalibrationMap::Load(const char* path) {
    if (path == nullptr) {
        Release();
        return RC_SUCCESS;
    }
    ZoqDataFile file(path);
    if (!file.IsOpen()) return RC_FAIL;
    const long size = file.Size();
    unsigned char header[kHeaderBytes];
    if (size < 0 || !file.Read(header, sizeof header)) return RC_FAIL;
    if (ZoqLe16(header) != kMagic || ZoqLe16(header + 2) != kVersion) return RC_VERSION_ERROR;
    const int32_t width = ZoqLe32Signed(header + 4);
    const int32_t height = ZoqLe32Signed(header + 8);
    const uint64_t columnBytes = ZoqLe32(header + 16);
    const uint64_t rowBytes = ZoqLe32(header + 20);
    if (width <= 0 || height <= 0) return RC_FAIL;
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    if (columnBytes < 2 * pixels || rowBytes < 2 * pixels) return RC_FAIL;
    if (static_cast<uint64_t>(size) < kHeaderBytes + 2 * columnBytes + 2 * rowBytes) return RC_FAIL;

    const size_t count = static_cast<size_t>(pixels);
    Array columnMap(new (std::nothrow) uint16_t[count]);
    Array columnFraction(new (std::nothrow) uint16_t[count]);
    Array rowMap(new (std::nothrow) uint16_t[count]);
    Array rowFraction(new (std::nothrow) uint16_t[count]);
    std::unique_ptr<unsigned char[]> copy(new (std::nothrow) unsigned char[count * 4]);
    if (!columnMap || !columnFraction || !rowMap || !rowFraction || !copy) return RC_ALLOC_FAILED;
    if (!ReadArray(file, columnMap.get(), count, columnBytes) ||
        !ReadArray(file, columnFraction.get(), count, columnBytes) ||
        !ReadArray(file, rowMap.get(), count, rowBytes) ||
        !ReadArray(file, rowFraction.get(), count, rowBytes))
        return RC_FAIL;
    m_width = width;
    m_height = height;
    m_columnMap = std::move(columnMap);
    m_columnFraction = std::move(columnFraction);
    m_rowMap = std::move(rowMap);
    m_rowFraction = std::move(rowFraction);
    m_copy = std::move(copy);
    return RC_SUCCESS;
}

void ZoqCalibrationMap::Release() {
    m_width = m_height = 0;
    m_columnMap.reset();
    m_columnFraction.reset();
    m_rowMap.reset();
    m_rowFraction.reset();
    m_copy.reset();
}

bool ZoqCalibrationMap::Remap(unsigned char* image, int width, int height, int bytesPerPixel) {
    if (image == nullptr || !Loaded() || width != m_width || height != m_height) return false;
    const bool bilinear = mode == ZOQ_MAPMODE_BILINEAR;
    switch (bytesPerPixel) {
        case 1:
            bilinear ? RemapPixels<1, true>(image) : RemapPixels<1, false>(image);
            return true;
        case 3:
            bilinear ? RemapPixels<3, true>(image) : RemapPixels<3, false>(image);
            return true;
        case 4:
            bilinear ? RemapPixels<4, true>(image) : RemapPixels<4, false>(image);
            return true;
        default:
            return false;
    }
}

template <int Bpp, bool Bilinear>
void ZoqCalibrationMap::RemapPixels(unsigned char* image) const {
    constexpr int kColours = Bpp < 3 ? Bpp : 3;
    const unsigned int width = static_cast<unsigned int>(m_width);
    const unsigned int height = static_cast<unsigned int>(m_height);
    const size_t stride = size_t{width} * Bpp;
    const size_t pixels = size_t{width} * height;
    std::memcpy(m_copy.get(), image, pixels * Bpp);
    // Local pointers: the byte stores below could otherwise alias the
    // members, and every member would be read again for every pixel.
    const unsigned char* const copy = m_copy.get();
    const uint16_t* const columnMap = m_columnMap.get();
    const uint16_t* const columnFraction = m_columnFraction.get();
    const uint16_t* const rowMap = m_rowMap.get();
    const uint16_t* const rowFraction = m_rowFraction.get();
    for (size_t k = 0; k < pixels; ++k) {
        unsigned char* out = image + k * Bpp;
        const unsigned int xs = columnMap[k];
        const unsigned int ys = rowMap[k];
        if (xs >= width || ys >= height) {
            for (int c = 0; c < kColours; ++c) out[c] = 0;
        } else if (Bilinear && xs != width - 1 && ys != height - 1) {
            const int64_t fx = columnFraction[k];
            const int64_t fy = rowFraction[k];
            const unsigned char* p = copy + ys * stride + size_t{xs} * Bpp;
            for (int c = 0; c < kColours; ++c) {
                const int64_t p00 = p[c];
                const int64_t p01 = p[c + Bpp];
                const int64_t p10 = p[c + stride];
                const int64_t p11 = p[c + stride + Bpp];
                // Floor division by 2^20; fractions beyond 1024 cannot
                // overflow in 64 bits.
                const int64_t v = p00 * (1 << 20) + (p01 - p00) * fx * 1024 +
                                  (p10 - p00) * fy * 1024 + (p00 - p01 - p10 + p11) * fx * fy;
                out[c] = static_cast<unsigned char>(v >> 20);
            }
        } else {
            const unsigned char* p = copy + ys * stride + size_t{xs} * Bpp;
            for (int c = 0; c < kColours; ++c) out[c] = p[c];
        }
        if (Bpp == 4) out[3] = 0;
    }
}
