// ZOQ_HelperSaveToBmp: uncompressed bottom-up Windows bitmaps.
#include <array>
#include <cstdint>
#include <cstdio>

#include "imagefile/ZOQImageFile.h"
#include "zoqapi.h"

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr uint32_t kPaletteBytes = 256 * 4;

// Gray ramp of 8-bit images; the fourth byte of entry i also holds i.
constexpr std::array<uint8_t, kPaletteBytes> MakeGrayPalette() {
    std::array<uint8_t, kPaletteBytes> palette{};
    for (uint32_t i = 0; i < kPaletteBytes; ++i) palette[i] = static_cast<uint8_t>(i / 4);
    return palette;
}
constexpr std::array<uint8_t, kPaletteBytes> kGrayPalette = MakeGrayPalette();

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value);
    Put16(at + 2, value >> 16);
}

// File header and information header, little-endian whatever the host.
std::array<uint8_t, kHeaderBytes> MakeHeaders(int width, int height, int bitCount,
                                              uint32_t imageSize, uint32_t dataOffset) {
    std::array<uint8_t, kHeaderBytes> h{};
    Put16(&h[0], 0x4D42);  // "BM"
    Put32(&h[2], imageSize + dataOffset);
    Put32(&h[10], dataOffset);
    Put32(&h[14], kInfoHeaderBytes);
    Put32(&h[18], static_cast<uint32_t>(width));
    Put32(&h[22], static_cast<uint32_t>(height));  // positive: rows bottom-up
    Put16(&h[26], 1);                              // planes
    Put16(&h[28], static_cast<uint32_t>(bitCount));
    Put32(&h[34], imageSize);  // compression, resolutions and colour counts stay 0
    return h;
}

// Rows of the caller's buffer as captures deliver them, without padding;
// each is padded with zeros to a multiple of 4 bytes in the file.
bool WriteRows(FILE* file, const uint8_t* data, size_t row, size_t paddedRow, int height) {
    if (row == paddedRow) return fwrite(data, row * static_cast<size_t>(height), 1, file) == 1;
    static constexpr uint8_t kPadding[3] = {0, 0, 0};
    for (int y = 0; y < height; ++y, data += row)
        if (fwrite(data, row, 1, file) != 1 || fwrite(kPadding, paddedRow - row, 1, file) != 1)
            return false;
    return true;
}

}  // namespace

ZOQ_API int ZOQ_HelperSaveToBmp(const void* data, int width, int height, int bitCount,
                                const char* path) {
    namespace img = zoq::imagefile;
    if (!img::ValidImage(data, width, height, bitCount, path)) return RC_PARAMETER_ERROR;
    const uint32_t dataOffset = kHeaderBytes + (bitCount == 8 ? kPaletteBytes : 0);
    const uint64_t paddedRow = (static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4;
    const uint64_t imageSize = paddedRow * static_cast<uint64_t>(height);
    if (imageSize > UINT32_MAX - dataOffset) return RC_PARAMETER_ERROR;  // not a BMP

    img::File file = img::Open(path, "w+");
    if (!file) return RC_FAIL;
    const auto headers =
        MakeHeaders(width, height, bitCount, static_cast<uint32_t>(imageSize), dataOffset);
    bool written = fwrite(headers.data(), headers.size(), 1, file.get()) == 1;
    if (written && bitCount == 8)
        written = fwrite(kGrayPalette.data(), kGrayPalette.size(), 1, file.get()) == 1;
    if (written)
        written = WriteRows(file.get(), static_cast<const uint8_t*>(data),
                            img::RowBytes(width, bitCount), static_cast<size_t>(paddedRow), height);
    return img::Close(file) && written ? RC_SUCCESS : RC_FAIL;
}
