// White-balance tables and measurement and the colour-correction product,
// tested on images built here.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "ColourReference.h"
#include "LaneWidths.h"
#include "colourroad/ZOQDevice_AWB_Measure.h"
#include "colourroad/ZOQDevice_AWB_Tables.h"
#include "colourroad/ZOQDevice_Matrix.h"
#include "zoq_errors.h"

namespace {

using colourref::Image;

Image RandomImage(int pixels, int bpp, unsigned seed, int top = 255) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(0, top);
    Image image(std::size_t(pixels) * bpp);
    for (auto& v : image) v = static_cast<unsigned char>(value(random));
    return image;
}

TEST(GainTables, EntriesRoundHalfUpAndClip) {
    ZoqGainTables tables;
    for (int i = 0; i < 256; ++i) ASSERT_EQ(tables.Red()[i], i);
    const float gains[3] = {1.5f, 0.25f, -2.0f};
    tables.Build(gains);
    EXPECT_EQ(tables.Red()[1], 2);  // 1.5 + 0.5
    EXPECT_EQ(tables.Red()[3], 5);
    EXPECT_EQ(tables.Red()[170], 255);
    EXPECT_EQ(tables.Red()[171], 255);
    EXPECT_EQ(tables.Green()[2], 1);  // 0.5 + 0.5
    EXPECT_EQ(tables.Green()[255], 64);
    EXPECT_EQ(tables.Blue()[0], 0);
    EXPECT_EQ(tables.Blue()[200], 0);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(tables.Red()[i], colourref::GainEntry(i, 1.5f));
        ASSERT_EQ(tables.Green()[i], colourref::GainEntry(i, 0.25f));
    }
    const float odd[3] = {std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity(), 1.0f};
    tables.Build(odd);
    EXPECT_EQ(tables.Red()[100], 0);
    EXPECT_EQ(tables.Green()[100], 255);
    EXPECT_EQ(tables.Green()[0], 0);  // 0 x infinity is NaN
}

TEST(GainTables, ApplyTouchesTheThreeColourBytesOfEachPixel) {
    const float gains[3] = {1.25f, 0.5f, 2.0f};
    ZoqGainTables tables;
    tables.Build(gains);
    for (int bpp : {3, 4}) {
        Image image = RandomImage(50, bpp, 7);
        Image expected = image;
        colourref::ApplyGains(expected, bpp, gains);
        ASSERT_EQ(tables.Apply(image.data(), 10, 5, bpp * 8), RC_SUCCESS);
        EXPECT_EQ(image, expected) << bpp;
    }
    Image gray = RandomImage(50, 1, 8);
    Image before = gray;
    EXPECT_EQ(tables.Apply(gray.data(), 10, 5, 8), RC_NOT_SUPPORTED);
    EXPECT_EQ(gray, before);
    EXPECT_EQ(tables.Apply(nullptr, 10, 5, 24), RC_PARAMETER_ERROR);
    EXPECT_EQ(tables.Apply(gray.data(), 0, 5, 24), RC_PARAMETER_ERROR);
}

TEST(ColourMatrix, ProductMatchesTheScalarFormulaByteForByte) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coefficient(-2.5f, 2.5f);
    for (int trial = 0; trial < 20; ++trial) {
        float m[3][3];
        for (auto& row : m)
            for (float& v : row) v = coefficient(random);
        for (int bpp : {3, 4}) {
            Image image = RandomImage(997, bpp, trial);
            Image expected = image;
            colourref::ApplyMatrix(expected, bpp, m);
            ASSERT_EQ(ZoqApplyColourMatrix(m, image.data(), 997, 1, bpp * 8), RC_SUCCESS);
            ASSERT_EQ(image, expected) << "trial " << trial << " bpp " << bpp;
        }
    }
}

// Coefficients that drive sums past every edge of the clamp (NaN,
// infinities, values far beyond an integer's range, sums just below 0 and
// just above 255) on rows long enough for the eight-pixel steps and their
// tails, against the formula.
TEST(ColourMatrix, ExtremeCoefficientsClampAsTheFormulaOnEveryPath) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float matrices[][3][3] = {
        {{nan, 0, 0}, {0, inf, 0}, {0, 0, -inf}},
        {{1e30f, -1e30f, 0}, {-3e9f, 0, 0}, {3e9f, 1, 1}},
        {{-0.004f, 0, 0}, {1.0039f, 0, 0}, {0.9999f, 0.0001f, 0.0002f}},
        {{inf, -inf, 0}, {0, nan, 1}, {-1, 1, -1}},
    };
    colourref::ForEachLaneWidth([&] {
        unsigned seed = 500;
        for (const auto& m : matrices)
            for (int width : {8, 9, 10, 11, 37}) {
                Image image = RandomImage(width * 3, 3, ++seed);
                Image expected = image;
                colourref::ApplyMatrix(expected, 3, m);
                ASSERT_EQ(ZoqApplyColourMatrix(m, image.data(), width, 3, 24), RC_SUCCESS);
                ASSERT_EQ(image, expected) << "width " << width << ", seed " << seed;
            }
    });
}

TEST(ColourMatrix, IdentityKeepsAndOnesSaturate) {
    const float identity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Image image = RandomImage(64, 3, 11);
    Image before = image;
    ZoqApplyColourMatrix(identity, image.data(), 8, 8, 24);
    EXPECT_EQ(image, before);

    const float ones[3][3] = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
    Image pixel = {100, 100, 100, 42};
    ZoqApplyColourMatrix(ones, pixel.data(), 1, 1, 32);
    EXPECT_EQ(pixel, (Image{255, 255, 255, 42}));

    // A NaN coefficient gives 0 rather than an undefined conversion; a
    // negative sum gives 0 too.
    const float odd[3][3] = {
        {std::numeric_limits<float>::quiet_NaN(), 0, 0}, {0, -1, 0}, {0, 0, 0.5f}};
    pixel = {201, 50, 60, 7};
    ZoqApplyColourMatrix(odd, pixel.data(), 1, 1, 32);
    EXPECT_EQ(pixel, (Image{100, 0, 0, 7}));

    Image gray = {1, 2, 3};
    EXPECT_EQ(ZoqApplyColourMatrix(ones, gray.data(), 3, 1, 8), RC_NOT_SUPPORTED);
    EXPECT_EQ(gray, (Image{1, 2, 3}));
}

// A 24-bit image whose pixels are a base colour scaled per channel.
Image Tinted(int width, int height, float red, float blue, unsigned seed) {
    Image image = RandomImage(width * height, 3, seed, 200);
    for (std::size_t i = 0; i < image.size(); i += 3) {
        const int g = image[i + 1];
        image[i] = static_cast<unsigned char>(std::lround(g * blue));
        image[i + 2] = static_cast<unsigned char>(std::lround(g * red));
    }
    return image;
}

TEST(WhiteBalanceMeasure, GainsBringANeutralButTintedSceneBackToGray) {
    const int w = 40, h = 30;
    Image image = Tinted(w, h, 0.8f, 0.6f, 5);
    Image reference = image;
    const ZoqFittedRegion all{0, 0, w, h};
    float gains[3] = {9, 9, 9};
    ASSERT_EQ(ZoqMeasureWhiteBalance(image.data(), w, h, 24, all, 0, false, gains), RC_SUCCESS);
    float expected[3];
    ASSERT_TRUE(colourref::Measure(reference, w, 3, 0, 0, w, h, 0, false, expected));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(gains[c], expected[c]) << c;
    // Green is the strongest channel here, so it keeps 1.0.
    EXPECT_EQ(gains[1], 1.0f);
    EXPECT_NEAR(gains[0], 1.0f / 0.8f, 0.03f);
    EXPECT_NEAR(gains[2], 1.0f / 0.6f, 0.05f);
    EXPECT_EQ(image, reference);  // nothing written without the border

    // Red strongest: red becomes 1.0; blue strongest: blue becomes 1.0.
    image = Tinted(w, h, 1.2f, 0.9f, 6);
    ASSERT_EQ(ZoqMeasureWhiteBalance(image.data(), w, h, 24, all, 0, false, gains), RC_SUCCESS);
    EXPECT_EQ(gains[0], 1.0f);
    EXPECT_NEAR(gains[1], 1.2f, 0.03f);
    image = Tinted(w, h, 0.9f, 1.2f, 6);
    ASSERT_EQ(ZoqMeasureWhiteBalance(image.data(), w, h, 24, all, 0, false, gains), RC_SUCCESS);
    EXPECT_EQ(gains[2], 1.0f);
    EXPECT_NEAR(gains[1], 1.2f, 0.03f);
}

TEST(WhiteBalanceMeasure, TheBorderIsInvertedAndLeftOutOfTheSums) {
    const int w = 24, h = 20;
    for (int bpp : {3, 4}) {
        Image image = RandomImage(w * h, bpp, 9, 254);
        Image reference = image;
        const ZoqFittedRegion region{4, 6, 12, 10};
        float gains[3] = {0, 0, 0}, expected[3] = {1, 1, 1};
        ASSERT_EQ(ZoqMeasureWhiteBalance(image.data(), w, h, bpp * 8, region, -300, true, gains),
                  RC_SUCCESS);
        ASSERT_TRUE(colourref::Measure(reference, w, bpp, 4, 6, 12, 10, -300, true, expected));
        EXPECT_EQ(image, reference);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(gains[c], expected[c]);
        // Row 6 and row 14 (origin + height - 2) are inverted, row 15 is not.
        auto at = [&](const Image& im, int x, int y) { return im[(std::size_t(y) * w + x) * bpp]; };
        Image original = RandomImage(w * h, bpp, 9, 254);
        EXPECT_EQ(at(image, 5, 6), 255 - at(original, 5, 6));
        EXPECT_EQ(at(image, 5, 14), 255 - at(original, 5, 14));
        EXPECT_EQ(at(image, 5, 15), at(original, 5, 15));
        EXPECT_EQ(at(image, 14, 10), 255 - at(original, 14, 10));
        EXPECT_EQ(at(image, 15, 10), at(original, 15, 10));
    }
}

TEST(WhiteBalanceMeasure, NothingToCountKeepsTheGains) {
    const int w = 8, h = 8;
    const ZoqFittedRegion all{0, 0, w, h};
    float gains[3] = {1.5f, 1.0f, 0.5f};
    Image saturated(w * h * 3, 255);
    for (std::size_t i = 0; i < saturated.size(); i += 6)
        saturated[i] = 10;  // one byte 255 is enough
    EXPECT_EQ(ZoqMeasureWhiteBalance(saturated.data(), w, h, 24, all, 0, false, gains), RC_FAIL);
    Image gray(w * h * 3, 120);
    EXPECT_EQ(ZoqMeasureWhiteBalance(gray.data(), w, h, 24, all, 121, false, gains), RC_FAIL);
    EXPECT_EQ(ZoqMeasureWhiteBalance(gray.data(), w, h, 24, all, 119, false, gains), RC_SUCCESS);
    EXPECT_NEAR(gains[0], 1.0f, 1e-3f);
    gains[0] = 1.5f;
    // Black pixels counted under a negative threshold give 0 / 0.
    Image black(w * h * 3, 0);
    EXPECT_EQ(ZoqMeasureWhiteBalance(black.data(), w, h, 24, all, -1, false, gains), RC_FAIL);
    EXPECT_EQ(gains[0], 1.5f);
}

TEST(WhiteBalanceMeasure, RegionsOutsideTheImageAndOtherFormatsAreRefused) {
    Image image(8 * 8 * 3, 100);
    Image before = image;
    float gains[3] = {2, 2, 2};
    EXPECT_EQ(ZoqMeasureWhiteBalance(image.data(), 8, 8, 24, {0, 0, 8, 0}, 0, true, gains),
              RC_FAIL);
    EXPECT_EQ(ZoqMeasureWhiteBalance(image.data(), 8, 8, 24, {-2, 0, 4, 4}, 0, true, gains),
              RC_FAIL);
    EXPECT_EQ(ZoqMeasureWhiteBalance(image.data(), 8, 8, 24, {6, 0, 4, 4}, 0, true, gains),
              RC_FAIL);
    EXPECT_EQ(ZoqMeasureWhiteBalance(image.data(), 8, 8, 24, {0, 6, 4, 4}, 0, true, gains),
              RC_FAIL);
    EXPECT_EQ(ZoqMeasureWhiteBalance(image.data(), 8, 8, 8, {0, 0, 4, 4}, 0, true, gains),
              RC_NOT_SUPPORTED);
    EXPECT_EQ(ZoqMeasureWhiteBalance(nullptr, 8, 8, 24, {0, 0, 4, 4}, 0, true, gains),
              RC_PARAMETER_ERROR);
    EXPECT_EQ(image, before);
    EXPECT_EQ(gains[1], 2.0f);
    // A frame too small for the fitting rule gives a region outside it.
    const ZoqFittedRegion tiny = FitRegionEven({0, 0, 2, 2}, 2, 2);
    EXPECT_EQ(ZoqMeasureWhiteBalance(image.data(), 2, 2, 24, tiny, 0, false, gains), RC_FAIL);
}

// Regions of every shape, at the image's edges, with and without the
// border, on images small enough to be added row by row and large enough to
// be cut into chunks for several threads; one meter measures them all, its
// working space kept from one to the next.
TEST(WhiteBalanceMeasure, EveryRegionAndImageSizeGivesThePlainSums) {
    struct Case {
        int w, h, bpp;
        ZoqFittedRegion region;
        int phi;
        bool show;
    };
    const Case cases[] = {{1, 1, 3, {0, 0, 1, 1}, -1, false},
                          {2, 3, 4, {0, 0, 2, 3}, -1, true},
                          {7, 5, 3, {1, 2, 6, 3}, 0, true},
                          {64, 48, 4, {0, 0, 64, 48}, 10, false},
                          {301, 77, 3, {300, 0, 1, 77}, -300, true},
                          {2592, 1944, 3, {0, 0, 2592, 1944}, 0, false},
                          {2592, 1944, 4, {0, 0, 2592, 1944}, 0, true},
                          {2592, 1944, 3, {1000, 30, 777, 1501}, 25, true},
                          {641, 480, 3, {0, 0, 641, 480}, -300, true}};
    ZoqWhiteBalanceMeter meter;
    colourref::ForEachLaneWidth([&] {
        unsigned seed = 40;
        for (const Case& c : cases) {
            // A scene of gradients with noise, some of it saturated.
            std::mt19937 random(++seed);
            Image image(std::size_t(c.w) * c.h * c.bpp);
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x)
                    for (int k = 0; k < c.bpp; ++k) {
                        const int v = (x * 255 / c.w + y * (k + 1) * 255 / c.h) / 2 +
                                      static_cast<int>(random() % 40) - 10;
                        image[(std::size_t(y) * c.w + x) * c.bpp + k] =
                            static_cast<unsigned char>(v < 0     ? 0
                                                       : v > 255 ? 255
                                                                 : v);
                    }
            Image reference = image;
            float gains[3] = {7, 7, 7}, expected[3] = {7, 7, 7};
            const bool counted =
                colourref::Measure(reference, c.w, c.bpp, c.region.x, c.region.rowOrigin,
                                   c.region.width, c.region.height, c.phi, c.show, expected);
            const int rc =
                meter.Measure(image.data(), c.w, c.h, c.bpp * 8, c.region, c.phi, c.show, gains);
            SCOPED_TRACE(::testing::Message() << c.w << " x " << c.h << ", region " << c.region.x
                                              << ", " << c.region.rowOrigin << ", "
                                              << c.region.width << ", " << c.region.height);
            EXPECT_EQ(rc, counted ? RC_SUCCESS : RC_FAIL);
            for (int k = 0; k < 3; ++k) EXPECT_EQ(gains[k], expected[k]) << k;
            EXPECT_TRUE(image == reference);
        }
    });
}

// Images of every width around the steps the two stages take (four pixels
// of the gain tables, four or eight lanes of the matrix), one row, both
// pixel sizes, and an image large enough to be cut into blocks for several
// threads, against the formulas one pixel at a time; the fourth byte stays.
TEST(ColourStages, AwkwardSizesMatchTheFormulas) {
    const float gains[3] = {1.3f, 0.7f, 2.1f};
    const float m[3][3] = {
        {1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}};
    ZoqGainTables tables;
    tables.Build(gains);
    struct Size {
        int w, h;
    };
    unsigned seed = 70;
    colourref::ForEachLaneWidth([&] {
        for (const Size& size :
             {Size{1, 1}, Size{3, 1}, Size{4, 2}, Size{5, 1}, Size{7, 3}, Size{9, 1}, Size{10, 2},
              Size{11, 1}, Size{17, 3}, Size{1, 7}, Size{1297, 301}})
            for (int bpp : {3, 4}) {
                const Image source = RandomImage(size.w * size.h, bpp, ++seed);
                Image expected = source;
                colourref::ApplyGains(expected, bpp, gains);
                Image image = source;
                ASSERT_EQ(tables.Apply(image.data(), size.w, size.h, bpp * 8), RC_SUCCESS);
                ASSERT_EQ(image, expected) << "gains, " << size.w << " x " << size.h << ", " << bpp;
                expected = source;
                colourref::ApplyMatrix(expected, bpp, m);
                image = source;
                ASSERT_EQ(ZoqApplyColourMatrix(m, image.data(), size.w, size.h, bpp * 8),
                          RC_SUCCESS);
                ASSERT_EQ(image, expected)
                    << "matrix, " << size.w << " x " << size.h << ", " << bpp;
            }
    });
}

}  // namespace
