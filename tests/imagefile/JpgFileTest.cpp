// ZOQ_HelperSaveToJpg, read back with libjpeg: size, colour space, row order
// and channel order, and the caller's buffer left as it was.
#include <cstdlib>

#include "ImageFileTestSupport.h"
#include "zoqapi.h"

namespace {

using imagetest::DecodeJpeg;
using imagetest::FreshPath;
using imagetest::ReadBytes;

constexpr int kWidth = 16;
constexpr int kHeight = 32;  // two bands of whole 16-row blocks: no colour bleed

// Bottom-up BGR(A) image: the first 16 rows in memory (the bottom of the
// picture) pure blue, the rest pure red; the fourth byte is noise.
std::vector<unsigned char> BlueBottomRedTop(int bytesPerPixel) {
    std::vector<unsigned char> image(static_cast<size_t>(kWidth) * kHeight * bytesPerPixel);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            unsigned char* p = &image[(static_cast<size_t>(y) * kWidth + x) * bytesPerPixel];
            const bool bottom = y < kHeight / 2;
            p[0] = bottom ? 255 : 0;  // B
            p[1] = 0;                 // G
            p[2] = bottom ? 0 : 255;  // R
            if (bytesPerPixel == 4) p[3] = static_cast<unsigned char>(x * 37 + y);
        }
    return image;
}

void ExpectNear(const uint8_t* rgb, int r, int g, int b, const char* where) {
    EXPECT_NEAR(rgb[0], r, 24) << where;
    EXPECT_NEAR(rgb[1], g, 24) << where;
    EXPECT_NEAR(rgb[2], b, 24) << where;
}

bool HasMarker(const std::vector<uint8_t>& f, uint8_t marker) {
    for (size_t i = 0; i + 1 < f.size(); ++i)
        if (f[i] == 0xFF && f[i + 1] == marker) return true;
    return false;
}

class JpgColour : public testing::TestWithParam<int> {};

TEST_P(JpgColour, BottomUpBgrBecomesTopDownRgbBaseline) {
    const int bits = GetParam();
    const std::string path = FreshPath(".jpg");
    auto image = BlueBottomRedTop(bits / 8);
    const auto original = image;
    ASSERT_EQ(ZOQ_HelperSaveToJpg(image.data(), kWidth, kHeight, bits, 95, path.c_str()),
              RC_SUCCESS);
    EXPECT_EQ(image, original) << "the caller's buffer is not touched";

    const auto jpeg = DecodeJpeg(path);
    ASSERT_EQ(jpeg.width, kWidth);
    ASSERT_EQ(jpeg.height, kHeight);
    ASSERT_EQ(jpeg.components, 3);
    EXPECT_EQ(jpeg.colorSpace, JCS_YCbCr);  // written from RGB input
    EXPECT_FALSE(jpeg.progressive);
    for (int x : {0, kWidth - 1}) {
        ExpectNear(jpeg.At(x, 0), 255, 0, 0, "top row: red");
        ExpectNear(jpeg.At(x, kHeight - 1), 0, 0, 255, "last row: blue");
    }

    const auto f = ReadBytes(path);
    EXPECT_TRUE(HasMarker(f, 0xC0)) << "baseline frame";
    EXPECT_TRUE(HasMarker(f, 0xDB)) << "quantisation tables";
    EXPECT_TRUE(HasMarker(f, 0xC4)) << "Huffman tables";
    std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Depths, JpgColour, testing::Values(24, 32),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "bit";
                         });

TEST(JpgGray, GrayRowsAreStoredTopDownInOneComponent) {
    const std::string path = FreshPath(".jpg");
    // Bottom half dark, top half bright, in bottom-up order.
    std::vector<unsigned char> image(static_cast<size_t>(kWidth) * kHeight, 20);
    std::fill(image.begin() + image.size() / 2, image.end(), 230);
    ASSERT_EQ(ZOQ_HelperSaveToJpg(image.data(), kWidth, kHeight, 8, 95, path.c_str()),
              RC_SUCCESS);

    const auto jpeg = DecodeJpeg(path);
    ASSERT_EQ(jpeg.width, kWidth);
    ASSERT_EQ(jpeg.height, kHeight);
    ASSERT_EQ(jpeg.components, 1);
    EXPECT_EQ(jpeg.colorSpace, JCS_GRAYSCALE);
    EXPECT_NEAR(*jpeg.At(3, 0), 230, 8);
    EXPECT_NEAR(*jpeg.At(3, kHeight - 1), 20, 8);
    std::filesystem::remove(path);
}

TEST(JpgQuality, LowerQualityGivesASmallerFile) {
    std::vector<unsigned char> image(64 * 64 * 3);
    unsigned int seed = 7;
    for (auto& byte : image) byte = static_cast<unsigned char>(rand_r(&seed));
    const std::string low = FreshPath("_low.jpg");
    const std::string high = FreshPath("_high.jpg");
    ASSERT_EQ(ZOQ_HelperSaveToJpg(image.data(), 64, 64, 24, 10, low.c_str()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_HelperSaveToJpg(image.data(), 64, 64, 24, 95, high.c_str()), RC_SUCCESS);
    EXPECT_LT(std::filesystem::file_size(low) * 2, std::filesystem::file_size(high));
    std::filesystem::remove(low);
    std::filesystem::remove(high);
}

}  // namespace
