// The exported pixel helpers of the image writers.
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "zoqapi.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Sequence(size_t count) {
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), 1);
    return bytes;
}

TEST(FlipBmp, ReversesUnpaddedRowsAndKeepsTheMiddleOne) {
    // 3 pixels of 24 bits: 9-byte rows, no padding.
    const size_t row = 9;
    for (int height : {1, 2, 3, 5}) {
        Bytes image = Sequence(row * height);
        const Bytes original = image;
        ASSERT_EQ(Helper_FlipBmp(image.data(), 3, height, 24), RC_SUCCESS);
        for (int y = 0; y < height; ++y)
            EXPECT_TRUE(std::equal(image.begin() + y * row, image.begin() + (y + 1) * row,
                                   original.begin() + (height - 1 - y) * row))
                << "height " << height << ", row " << y;
    }
}

TEST(FlipBmp, RefusesWhatItCannotStepThrough) {
    Bytes image(16);
    EXPECT_EQ(Helper_FlipBmp(nullptr, 2, 2, 8), RC_PARAMETER_ERROR);
    EXPECT_EQ(Helper_FlipBmp(image.data(), 0, 2, 8), RC_PARAMETER_ERROR);
    EXPECT_EQ(Helper_FlipBmp(image.data(), 2, 0, 8), RC_PARAMETER_ERROR);
    EXPECT_EQ(Helper_FlipBmp(image.data(), 2, 2, 12), RC_PARAMETER_ERROR);
}

TEST(ChannelSwap, FirstAndThirdByteOfEveryPixelChangePlaces) {
    Bytes rgb24 = Sequence(2 * 3 * 3);
    ASSERT_EQ(Helper_BGR24ToRGB24(rgb24.data(), 2, 3), RC_SUCCESS);
    for (size_t p = 0; p < 6; ++p) {
        EXPECT_EQ(rgb24[p * 3 + 0], p * 3 + 3);
        EXPECT_EQ(rgb24[p * 3 + 1], p * 3 + 2);
        EXPECT_EQ(rgb24[p * 3 + 2], p * 3 + 1);
    }

    Bytes expected24 = Sequence(18);
    Helper_BGR24ToRGB24(expected24.data(), 6, 1);
    Bytes generic24 = Sequence(18);
    ASSERT_EQ(Helper_BGRToRGB(generic24.data(), 3, 2, 24), RC_SUCCESS);
    EXPECT_EQ(generic24, expected24);

    Bytes bgra = Sequence(3 * 4);
    ASSERT_EQ(Helper_BGRToRGB(bgra.data(), 3, 1, 32), RC_SUCCESS);
    EXPECT_EQ(bgra, (Bytes{3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12}));

    EXPECT_EQ(Helper_BGRToRGB(bgra.data(), 3, 1, 8), RC_PARAMETER_ERROR);
    EXPECT_EQ(Helper_BGRToRGB(bgra.data(), 3, 1, 16), RC_PARAMETER_ERROR);
    EXPECT_EQ(Helper_BGR24ToRGB24(nullptr, 1, 1), RC_PARAMETER_ERROR);
}

TEST(Rgb32ToRgb24, DropsTheFourthByteAndWritesNoFurther) {
    const Bytes src = Sequence(2 * 2 * 4);
    Bytes dst(2 * 2 * 3 + 4, 0xEE);
    ASSERT_EQ(Helper_Rgb32ToRgb24(const_cast<unsigned char*>(src.data()), 2, 2, dst.data()),
              RC_SUCCESS);
    EXPECT_EQ(dst, (Bytes{1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15, 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(Helper_Rgb32ToRgb24(const_cast<unsigned char*>(src.data()), 2, 2, nullptr),
              RC_PARAMETER_ERROR);
}

}  // namespace
