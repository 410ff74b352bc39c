// The standalone float-map helpers: reading a map file and remapping an
// image with it.
#include <gtest/gtest.h>

#include <vector>

#include "TempFile.h"
#include "zoqapi.h"

namespace {

using rawroadtest::Le32;
using rawroadtest::LeFloat;
using rawroadtest::TempFile;

std::vector<unsigned char> FloatMapFile(int w, int h, float x, float y) {
    std::vector<unsigned char> file;
    Le32(file, 0x40000000);
    Le32(file, static_cast<uint32_t>(w));
    Le32(file, static_cast<uint32_t>(h));
    for (int i = 0; i < w * h; ++i) LeFloat(file, x + static_cast<float>(i));
    for (int i = 0; i < w * h; ++i) LeFloat(file, y - static_cast<float>(i));
    return file;
}

TEST(FloatMapFile, AFileOfExactlyItsSizeIsRead) {
    TempFile file(FloatMapFile(3, 2, 0.5f, 10.0f));
    int w = 0, h = 0;
    float* mapX = nullptr;
    float* mapY = nullptr;
    ASSERT_TRUE(ZOQ_ReadMapfromFile(file.path(), w, h, mapX, mapY));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    ASSERT_NE(mapX, nullptr);
    ASSERT_NE(mapY, nullptr);
    EXPECT_EQ(mapX[5], 5.5f);
    EXPECT_EQ(mapY[5], 5.0f);
    delete[] mapX;
    delete[] mapY;
}

TEST(FloatMapFile, AWrongSizeOrMagicIsRefusedWithoutAllocating) {
    std::vector<unsigned char> bytes = FloatMapFile(3, 2, 0.0f, 0.0f);
    bytes.push_back(0);
    TempFile tooLong(bytes);
    int w = 0, h = 0;
    float* mapX = nullptr;
    float* mapY = nullptr;
    EXPECT_FALSE(ZOQ_ReadMapfromFile(tooLong.path(), w, h, mapX, mapY));
    EXPECT_EQ(w, 3);  // written as soon as read
    EXPECT_EQ(h, 2);
    EXPECT_EQ(mapX, nullptr);
    EXPECT_EQ(mapY, nullptr);

    bytes = FloatMapFile(3, 2, 0.0f, 0.0f);
    bytes.resize(bytes.size() - 1);
    TempFile tooShort(bytes);
    EXPECT_FALSE(ZOQ_ReadMapfromFile(tooShort.path(), w, h, mapX, mapY));
    bytes = FloatMapFile(3, 2, 0.0f, 0.0f);
    bytes[3] = 0x41;
    TempFile magic(bytes);
    EXPECT_FALSE(ZOQ_ReadMapfromFile(magic.path(), w, h, mapX, mapY));
    TempFile tiny(std::vector<unsigned char>(11, 0));
    EXPECT_FALSE(ZOQ_ReadMapfromFile(tiny.path(), w, h, mapX, mapY));
    EXPECT_FALSE(ZOQ_ReadMapfromFile("/nonexistent/zoq_float_map", w, h, mapX, mapY));
    EXPECT_FALSE(ZOQ_ReadMapfromFile(nullptr, w, h, mapX, mapY));
    EXPECT_EQ(mapX, nullptr);
}

TEST(FloatMapFile, SizesWhoseFileWouldOverflowAreRefused) {
    // 12 + 8 x w x h wraps around in 64 bits for these sizes.
    std::vector<unsigned char> bytes;
    Le32(bytes, 0x40000000);
    Le32(bytes, 0x7FFFFFFF);
    Le32(bytes, 0x7FFFFFFF);
    bytes.resize(20, 0);
    TempFile file(bytes);
    int w = 0, h = 0;
    float* mapX = nullptr;
    float* mapY = nullptr;
    EXPECT_FALSE(ZOQ_ReadMapfromFile(file.path(), w, h, mapX, mapY));
    EXPECT_EQ(mapX, nullptr);
}

TEST(Remap, TheStraightMapCopiesAllButTheLastPixels) {
    constexpr int W = 5, H = 4, Bpp = 3;
    std::vector<unsigned char> src(W * H * Bpp);
    for (size_t i = 0; i < src.size(); ++i) src[i] = static_cast<unsigned char>(i + 1);
    std::vector<float> mapX(W * H), mapY(W * H);
    for (int i = 0; i < W * H; ++i) {
        mapX[i] = static_cast<float>(i % W);
        mapY[i] = static_cast<float>(H - i / W);  // map rows count from the bottom
    }
    std::vector<unsigned char> dst(src.size(), 0xCC);
    ZOQ_Remap(src.data(), Bpp, W, H, dst.data(), mapX.data(), mapY.data());
    // Pixels past W x (H - 1) - 2 would read outside: they become 0.
    const int last = W * (H - 1) - 2;
    for (int i = 0; i < W * H; ++i)
        for (int c = 0; c < Bpp; ++c)
            EXPECT_EQ(dst[i * Bpp + c], i <= last ? src[i * Bpp + c] : 0) << i;
}

TEST(Remap, SamplesBetweenPixelsBilinearlyAndBlacksOutsidePoints) {
    constexpr int W = 3, H = 3;
    std::vector<unsigned char> src = {4, 100, 200,  //
                                      50, 150, 250,  //
                                      10, 20, 30};
    std::vector<float> mapX = {0.5f, 0.25f, -1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    // y = H - mapY: 0.5 for the first, 0 for the second, negative offsets
    // for the third.
    std::vector<float> mapY = {2.5f, 3.0f, 3.0f, 3.0f, 3.0f, 3.0f, 3.0f, 3.0f, 100.0f};
    std::vector<unsigned char> dst(9, 0xCC);
    ZOQ_Remap(src.data(), 1, W, H, dst.data(), mapX.data(), mapY.data());
    EXPECT_EQ(dst[0], 76);  // the mean of 4, 100, 50, 150
    EXPECT_EQ(dst[1], 28);  // a quarter of the way from 4 to 100
    EXPECT_EQ(dst[2], 0);   // offset -1
    EXPECT_EQ(dst[3], 4);   // the source's first pixel
    EXPECT_EQ(dst[8], 0);   // far below the image
}

}  // namespace
