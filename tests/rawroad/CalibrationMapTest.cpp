// The calibration map: loading map files and the remap of 8, 24 and 32-bit
// images with nearest and bilinear sampling.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "TempFile.h"
#include "calibration/ZOQDevice_Custom_Calibration_Map.h"
#include "colourroad/ZOQDevice_PixelLanes.h"
#include "zoq_errors.h"

namespace {

using rawroadtest::IdentityMapFile;
using rawroadtest::MapFile;
using rawroadtest::TempFile;

std::vector<unsigned char> Image(int w, int h, int bpp) {
    std::vector<unsigned char> image(size_t(w) * h * bpp);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(i * 7 + 3);
    return image;
}

// A map of w x h whose every entry comes from the identity, then the entry
// k is replaced by (xs, fx, ys, fy).
struct Map {
    int w, h;
    std::vector<uint16_t> columns, columnFractions, rows, rowFractions;
    Map(int width, int height) : w(width), h(height) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                columns.push_back(static_cast<uint16_t>(x));
                rows.push_back(static_cast<uint16_t>(y));
            }
        columnFractions.assign(columns.size(), 0);
        rowFractions.assign(rows.size(), 0);
    }
    void Set(int k, uint16_t xs, uint16_t fx, uint16_t ys, uint16_t fy) {
        columns[k] = xs;
        columnFractions[k] = fx;
        rows[k] = ys;
        rowFractions[k] = fy;
    }
    int Load(ZoqCalibrationMap* map) const {
        TempFile file(MapFile(w, h, columns, columnFractions, rows, rowFractions));
        return map->Load(file.path());
    }
};

TEST(CalibrationMap, TheIdentityMapLeavesEveryPixelSizeAlone) {
    for (int bpp : {1, 3}) {
        for (ZOQ_MAPMODE mode : {ZOQ_MAPMODE_BILINEAR, ZOQ_MAPMODE_NEAREST}) {
            ZoqCalibrationMap map;
            TempFile file(IdentityMapFile(6, 4));
            ASSERT_EQ(map.Load(file.path()), RC_SUCCESS);
            map.mode = mode;
            std::vector<unsigned char> image = Image(6, 4, bpp);
            ASSERT_TRUE(map.Remap(image.data(), 6, 4, bpp));
            EXPECT_EQ(image, Image(6, 4, bpp)) << bpp << " bytes, mode " << mode;
        }
    }
}

TEST(CalibrationMap, ThirtyTwoBitPixelsLoseTheirFourthByte) {
    ZoqCalibrationMap map;
    TempFile file(IdentityMapFile(6, 4));
    ASSERT_EQ(map.Load(file.path()), RC_SUCCESS);
    std::vector<unsigned char> image = Image(6, 4, 4);
    std::vector<unsigned char> expected = image;
    for (size_t i = 3; i < expected.size(); i += 4) expected[i] = 0;
    ASSERT_TRUE(map.Remap(image.data(), 6, 4, 4));
    EXPECT_EQ(image, expected);
}

TEST(CalibrationMap, PixelsMoveToWhereTheMapPoints) {
    Map m(6, 4);
    m.Set(0, 5, 0, 3, 0);  // the first pixel shows the last one
    ZoqCalibrationMap map;
    ASSERT_EQ(m.Load(&map), RC_SUCCESS);
    map.mode = ZOQ_MAPMODE_NEAREST;
    std::vector<unsigned char> image = Image(6, 4, 3);
    const std::vector<unsigned char> source = image;
    ASSERT_TRUE(map.Remap(image.data(), 6, 4, 3));
    for (int c = 0; c < 3; ++c) EXPECT_EQ(image[c], source[(3 * 6 + 5) * 3 + c]);
    EXPECT_TRUE(std::equal(image.begin() + 3, image.end(), source.begin() + 3));
}

TEST(CalibrationMap, BilinearSamplingInTenBitFractionsRoundsDown) {
    Map m(4, 2);
    m.Set(0, 0, 512, 0, 0);    // halfway between columns 0 and 1
    m.Set(1, 0, 1, 0, 0);      // a 1024th towards a darker pixel: floor
    m.Set(2, 1, 256, 0, 768);  // a quarter right, three quarters down
    ZoqCalibrationMap map;
    ASSERT_EQ(m.Load(&map), RC_SUCCESS);
    std::vector<unsigned char> image = {
        100, 0,  80, 0,  // buffer row 0
        20,  40, 0,  0,  // buffer row 1
    };
    ASSERT_TRUE(map.Remap(image.data(), 4, 2, 1));
    EXPECT_EQ(image[0], 50);
    EXPECT_EQ(image[1], 99);
    // p00 = 0, p01 = 80, p10 = 40, p11 = 0:
    // (80 x 256 x 1024 + 40 x 768 x 1024 - 120 x 256 x 768) >> 20 = 27.5 -> 27
    EXPECT_EQ(image[2], 27);
}

TEST(CalibrationMap, TheLastColumnOrRowIsCopiedEvenWhenBilinear) {
    Map m(4, 2);
    m.Set(0, 3, 512, 0, 512);  // last column
    m.Set(1, 1, 512, 1, 512);  // last row
    ZoqCalibrationMap map;
    ASSERT_EQ(m.Load(&map), RC_SUCCESS);
    std::vector<unsigned char> image = {10, 20, 30, 40, 50, 60, 70, 80};
    ASSERT_TRUE(map.Remap(image.data(), 4, 2, 1));
    EXPECT_EQ(image[0], 40);
    EXPECT_EQ(image[1], 60);
}

TEST(CalibrationMap, EntriesOutsideTheImageGiveBlack) {
    Map m(4, 2);
    m.Set(0, 65535, 0, 0, 0);
    m.Set(1, 0, 0, 2, 0);  // row 2 of a 2-row image
    ZoqCalibrationMap map;
    ASSERT_EQ(m.Load(&map), RC_SUCCESS);
    std::vector<unsigned char> image(4 * 2 * 4, 0xAB);
    ASSERT_TRUE(map.Remap(image.data(), 4, 2, 4));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(image[i], 0) << i;
    EXPECT_EQ(image[8], 0xAB);
    EXPECT_EQ(image[11], 0);
}

TEST(CalibrationMap, OnlyImagesOfTheMapsSizeAndAKnownPixelSizeAreRemapped) {
    ZoqCalibrationMap map;
    std::vector<unsigned char> image = Image(6, 4, 3);
    EXPECT_FALSE(map.Remap(image.data(), 6, 4, 3));  // nothing loaded
    TempFile file(IdentityMapFile(6, 4));
    ASSERT_EQ(map.Load(file.path()), RC_SUCCESS);
    EXPECT_FALSE(map.Remap(image.data(), 4, 6, 3));
    EXPECT_FALSE(map.Remap(image.data(), 6, 4, 2));
    EXPECT_TRUE(map.Remap(image.data(), 6, 4, 3));
}

TEST(CalibrationMap, RefusedFilesKeepTheLoadedMap) {
    ZoqCalibrationMap map;
    TempFile good(IdentityMapFile(6, 4));
    ASSERT_EQ(map.Load(good.path()), RC_SUCCESS);

    std::vector<unsigned char> wrongMagic = IdentityMapFile(8, 8);
    wrongMagic[0] = 'X';
    TempFile magic(wrongMagic);
    EXPECT_EQ(map.Load(magic.path()), RC_VERSION_ERROR);
    std::vector<unsigned char> wrongVersion = IdentityMapFile(8, 8);
    wrongVersion[3] = 0x02;
    TempFile version(wrongVersion);
    EXPECT_EQ(map.Load(version.path()), RC_VERSION_ERROR);
    std::vector<unsigned char> truncated = IdentityMapFile(8, 8);
    truncated.pop_back();
    TempFile shortFile(truncated);
    EXPECT_EQ(map.Load(shortFile.path()), RC_FAIL);
    // Arrays of one entry too few for the size the header gives.
    Map small(8, 8);
    for (auto* array : {&small.columns, &small.columnFractions, &small.rows, &small.rowFractions})
        array->pop_back();
    EXPECT_EQ(small.Load(&map), RC_FAIL);
    EXPECT_EQ(map.Load("/nonexistent/zoq_map"), RC_FAIL);

    EXPECT_EQ(map.Width(), 6);
    EXPECT_EQ(map.Height(), 4);
    std::vector<unsigned char> image = Image(6, 4, 3);
    EXPECT_TRUE(map.Remap(image.data(), 6, 4, 3));
}

TEST(CalibrationMap, LargerArraysUseTheirFirstEntries) {
    Map m(4, 2);
    m.Set(0, 1, 0, 0, 0);
    for (auto* array : {&m.columns, &m.columnFractions, &m.rows, &m.rowFractions})
        array->resize(array->size() + 3, 9);
    ZoqCalibrationMap map;
    ASSERT_EQ(m.Load(&map), RC_SUCCESS);
    std::vector<unsigned char> image = {10, 20, 30, 40, 50, 60, 70, 80};
    ASSERT_TRUE(map.Remap(image.data(), 4, 2, 1));
    EXPECT_EQ(image, (std::vector<unsigned char>{20, 20, 30, 40, 50, 60, 70, 80}));
}

// The remap one byte at a time, as the formula reads, in 64 bits.
std::vector<unsigned char> PlainRemap(const std::vector<unsigned char>& in, const Map& m, int bpp,
                                      bool bilinear) {
    std::vector<unsigned char> out = in;
    const int64_t stride = int64_t{m.w} * bpp;
    for (size_t k = 0; k < m.columns.size() && k < in.size() / bpp; ++k) {
        const int xs = m.columns[k], ys = m.rows[k];
        unsigned char* o = &out[k * bpp];
        for (int c = 0; c < (bpp < 3 ? bpp : 3); ++c) {
            if (xs >= m.w || ys >= m.h) {
                o[c] = 0;
                continue;
            }
            const unsigned char* p = &in[ys * stride + int64_t{xs} * bpp + c];
            if (!bilinear || xs == m.w - 1 || ys == m.h - 1) {
                o[c] = p[0];
                continue;
            }
            const int64_t fx = m.columnFractions[k], fy = m.rowFractions[k];
            const int64_t p00 = p[0], p01 = p[bpp], p10 = p[stride], p11 = p[stride + bpp];
            const int64_t v = p00 * 1048576 + (p01 - p00) * fx * 1024 + (p10 - p00) * fy * 1024 +
                              (p00 - p01 - p10 + p11) * fx * fy;
            o[c] = static_cast<unsigned char>(v >> 20);
        }
        if (bpp == 4) o[3] = 0;
    }
    return out;
}

// Random maps on images of every awkward shape, several blocks of rows
// among them: entries outside the image, on the last row and column,
// fractions of 0, 1024 and beyond 1024.
TEST(CalibrationMap, AwkwardMapsAndSizesMatchThePlainFormula) {
    struct Size {
        int w, h;
    };
    std::mt19937 random(17);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (const Size& size : {Size{1, 1}, Size{2, 1}, Size{1, 2}, Size{2, 2}, Size{3, 5}, Size{7, 1},
                             Size{9, 3}, Size{33, 17}, Size{641, 97}})
        for (int bpp : {1, 3, 4})
            for (bool bilinear : {true, false}) {
                Map m(size.w, size.h);
                for (int k = 0; k < size.w * size.h; ++k) {
                    const int kind = pick(20);
                    const auto xs = static_cast<uint16_t>(kind == 0 ? 65535 : pick(size.w + 1));
                    const auto ys = static_cast<uint16_t>(kind == 1 ? size.h : pick(size.h));
                    auto fraction = [&] {
                        const int f = pick(8);
                        return static_cast<uint16_t>(f == 0   ? 0
                                                     : f == 1 ? 1024
                                                     : f == 2 ? pick(65536)
                                                              : pick(1024));
                    };
                    m.Set(k, xs, fraction(), ys, fraction());
                }
                ZoqCalibrationMap map;
                ASSERT_EQ(m.Load(&map), RC_SUCCESS);
                map.mode = bilinear ? ZOQ_MAPMODE_BILINEAR : ZOQ_MAPMODE_NEAREST;
                std::vector<unsigned char> image(size_t(size.w) * size.h * bpp);
                for (auto& v : image) v = static_cast<unsigned char>(pick(256));
                const std::vector<unsigned char> expected = PlainRemap(image, m, bpp, bilinear);
                ASSERT_TRUE(map.Remap(image.data(), size.w, size.h, bpp));
                ASSERT_EQ(image, expected)
                    << size.w << " x " << size.h << ", " << bpp << " bytes, bilinear " << bilinear;
            }
}

// Maps whose fractions stay within ten bits but for a rare one, so that
// most steps of eight pixels blend on vector lanes: against the formula
// with and without them, on widths that leave every tail and rows that
// reach the last row and column.
TEST(CalibrationMap, TenBitMapsMatchThePlainFormulaOnEveryLaneWidth) {
    struct Size {
        int w, h;
    };
    std::mt19937 random(29);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (ZoqLaneWidth lanes : {ZoqLaneWidth::kSse2, ZoqLaneWidth::kWidest}) {
        ZoqSetLaneWidth(lanes);
        for (const Size& size : {Size{8, 1}, Size{9, 2}, Size{15, 3}, Size{16, 4}, Size{17, 5},
                                 Size{31, 7}, Size{641, 97}}) {
            Map m(size.w, size.h);
            for (int k = 0; k < size.w * size.h; ++k) {
                const int kind = pick(100);
                const auto xs = static_cast<uint16_t>(kind == 0   ? 65535
                                                      : kind == 1 ? size.w - 1
                                                                  : pick(size.w));
                const auto ys = static_cast<uint16_t>(kind == 2   ? size.h
                                                      : kind == 3 ? size.h - 1
                                                                  : pick(size.h));
                const auto fx = static_cast<uint16_t>(kind == 4 ? 1025 : pick(1025));
                const auto fy = static_cast<uint16_t>(kind == 5 ? 65535 : pick(1025));
                m.Set(k, xs, fx, ys, fy);
            }
            ZoqCalibrationMap map;
            ASSERT_EQ(m.Load(&map), RC_SUCCESS);
            std::vector<unsigned char> image(size_t(size.w) * size.h * 3);
            for (auto& v : image) v = static_cast<unsigned char>(pick(256));
            const std::vector<unsigned char> expected = PlainRemap(image, m, 3, true);
            ASSERT_TRUE(map.Remap(image.data(), size.w, size.h, 3));
            ASSERT_EQ(image, expected) << size.w << " x " << size.h << ", lanes "
                                       << (lanes == ZoqLaneWidth::kSse2 ? "SSE2" : "widest");
        }
    }
    ZoqSetLaneWidth(ZoqLaneWidth::kWidest);
}

TEST(CalibrationMap, ANullPathDropsTheMap) {
    ZoqCalibrationMap map;
    TempFile file(IdentityMapFile(6, 4));
    ASSERT_EQ(map.Load(file.path()), RC_SUCCESS);
    EXPECT_EQ(map.Load(nullptr), RC_SUCCESS);
    EXPECT_FALSE(map.Loaded());
    EXPECT_EQ(map.Width(), 0);
}

}  // namespace
