// ZOQ_HelperSaveToBmp: headers, palette, padded image size and pixel data
// taken from unpadded rows.
#include <algorithm>
#include <numeric>

#include "ImageFileTestSupport.h"
#include "zoqapi.h"

namespace {

using imagetest::FreshPath;
using imagetest::Le16;
using imagetest::Le32;
using imagetest::ReadBytes;

// Fields every file shares, whatever the depth.
void ExpectHeaders(const std::vector<uint8_t>& f, int width, int height, int bits,
                   uint32_t imageSize, uint32_t offset) {
    ASSERT_EQ(f.size(), offset + imageSize);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le32(f, 2), offset + imageSize);
    EXPECT_EQ(Le32(f, 6), 0u);  // both reserved words
    EXPECT_EQ(Le32(f, 10), offset);
    EXPECT_EQ(Le32(f, 14), 40u);
    EXPECT_EQ(Le32(f, 18), static_cast<uint32_t>(width));
    EXPECT_EQ(Le32(f, 22), static_cast<uint32_t>(height));
    EXPECT_EQ(Le16(f, 26), 1u);
    EXPECT_EQ(Le16(f, 28), static_cast<uint32_t>(bits));
    EXPECT_EQ(Le32(f, 30), 0u);
    EXPECT_EQ(Le32(f, 34), imageSize);
    for (size_t at = 38; at < 54; at += 4) EXPECT_EQ(Le32(f, at), 0u) << "offset " << at;
}

std::vector<uint8_t> Sequence(size_t count, uint8_t first) {
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// The file written for pixels, read back; the file itself is removed.
std::vector<uint8_t> SaveAndRead(const std::vector<uint8_t>& pixels, int width, int height,
                                 int bits) {
    const std::string path = FreshPath(".bmp");
    EXPECT_EQ(ZOQ_HelperSaveToBmp(pixels.data(), width, height, bits, path.c_str()), RC_SUCCESS);
    auto bytes = ReadBytes(path);
    std::filesystem::remove(path);
    return bytes;
}

std::vector<uint8_t> From(const std::vector<uint8_t>& f, size_t offset) {
    return offset <= f.size() ? std::vector<uint8_t>(f.begin() + offset, f.end())
                              : std::vector<uint8_t>();
}

TEST(BmpFile, GrayImageCarriesGrayPaletteBeforeItsPixels) {
    const auto pixels = Sequence(8, 10);
    const auto f = SaveAndRead(pixels, 4, 2, 8);
    ASSERT_EQ(f.size(), 1086u);
    ExpectHeaders(f, 4, 2, 8, 8, 1078);
    for (int i : {0, 1, 200, 255}) {
        const size_t entry = 54 + 4 * static_cast<size_t>(i);
        EXPECT_EQ(std::vector<uint8_t>(f.begin() + entry, f.begin() + entry + 4),
                  std::vector<uint8_t>(4, static_cast<uint8_t>(i)))
            << "palette entry " << i;
    }
    EXPECT_EQ(From(f, 1078), pixels);
}

TEST(BmpFile, ColourPixelsFollowTheHeadersUnchanged) {
    // 3 x 1 at 24 bits: 9 bytes of pixels, padded to 12 in the file.
    const auto row = Sequence(9, 1);
    auto f = SaveAndRead(row, 3, 1, 24);
    ExpectHeaders(f, 3, 1, 24, 12, 54);
    auto padded = row;
    padded.resize(12, 0);
    EXPECT_EQ(From(f, 54), padded);

    const auto bgra = Sequence(2 * 3 * 4, 100);
    f = SaveAndRead(bgra, 2, 3, 32);
    ExpectHeaders(f, 2, 3, 32, 24, 54);
    EXPECT_EQ(From(f, 54), bgra);
}

// The caller's rows as a capture delivers them (no padding), each padded
// with zeros to a multiple of 4 bytes in the file.
std::vector<uint8_t> PaddedRows(const std::vector<uint8_t>& pixels, size_t row, int height) {
    const size_t stride = (row + 3) / 4 * 4;
    std::vector<uint8_t> file(stride * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.begin() + static_cast<ptrdiff_t>(row * y), row,
                    file.begin() + static_cast<ptrdiff_t>(stride * y));
    return file;
}

TEST(BmpFile, UnpaddedRowsArePaddedInTheFile) {
    // Odd sizes of every depth; each buffer holds exactly the capture's bytes,
    // so reading past it or taking the rows at the wrong stride shows.
    struct Size {
        int width, height, bits;
    };
    for (const Size s :
         {Size{641, 479, 24}, Size{1023, 767, 24}, Size{5, 3, 8}, Size{7, 2, 24}, Size{3, 4, 32}}) {
        const size_t row = static_cast<size_t>(s.width) * static_cast<size_t>(s.bits / 8);
        std::vector<uint8_t> pixels(row * static_cast<size_t>(s.height));
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(i * 7 + i / row);
        const auto f = SaveAndRead(pixels, s.width, s.height, s.bits);
        const uint32_t offset = s.bits == 8 ? 1078 : 54;
        const auto expected = PaddedRows(pixels, row, s.height);
        ExpectHeaders(f, s.width, s.height, s.bits, static_cast<uint32_t>(expected.size()), offset);
        EXPECT_TRUE(From(f, offset) == expected) << s.width << " x " << s.height << " x " << s.bits;
    }
}

TEST(BmpFile, SizesABmpCannotHoldAreRefused) {
    const std::string path = FreshPath(".bmp");
    const std::vector<uint8_t> pixels(64, 1);  // never read: refused before
    EXPECT_EQ(ZOQ_HelperSaveToBmp(pixels.data(), 0x7FFFFFFF, 1, 32, path.c_str()),
              RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_HelperSaveToBmp(pixels.data(), 65536, 16384, 32, path.c_str()),
              RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_HelperSaveToBmp(pixels.data(), 1, 0x7FFFFFFF, 24, path.c_str()),
              RC_PARAMETER_ERROR);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(BmpFile, ExistingFileIsReplaced) {
    const std::string path = FreshPath(".bmp");
    const auto large = Sequence(64 * 64 * 3, 0);
    ASSERT_EQ(ZOQ_HelperSaveToBmp(large.data(), 64, 64, 24, path.c_str()), RC_SUCCESS);
    const auto small = Sequence(4, 0);
    ASSERT_EQ(ZOQ_HelperSaveToBmp(small.data(), 4, 1, 8, path.c_str()), RC_SUCCESS);
    EXPECT_EQ(ReadBytes(path).size(), 1078u + 4u);
    std::filesystem::remove(path);
}

}  // namespace
