// What both image writers refuse: bad arguments touch no file, and files
// that cannot be written give RC_FAIL instead of ending the process.
#include <functional>

#include "ImageFileTestSupport.h"
#include "zoqapi.h"

namespace {

using imagetest::FreshPath;

using Writer = std::function<int(unsigned char*, int, int, int, const char*)>;

struct NamedWriter {
    const char* name;
    Writer write;
};

class ImageWriter : public testing::TestWithParam<NamedWriter> {
protected:
    int Write(unsigned char* data, int width, int height, int bits, const char* path) {
        return GetParam().write(data, width, height, bits, path);
    }
    std::vector<unsigned char> pixels_ = std::vector<unsigned char>(16 * 16 * 4, 128);
};

TEST_P(ImageWriter, BadArgumentsReturnParameterErrorAndTouchNoFile) {
    const std::string path = FreshPath(".img");
    unsigned char* data = pixels_.data();
    EXPECT_EQ(Write(nullptr, 4, 4, 24, path.c_str()), RC_PARAMETER_ERROR);
    EXPECT_EQ(Write(data, 0, 4, 24, path.c_str()), RC_PARAMETER_ERROR);
    EXPECT_EQ(Write(data, -4, 4, 24, path.c_str()), RC_PARAMETER_ERROR);
    EXPECT_EQ(Write(data, 4, 0, 24, path.c_str()), RC_PARAMETER_ERROR);
    EXPECT_EQ(Write(data, 4, -1, 24, path.c_str()), RC_PARAMETER_ERROR);
    for (int bits : {0, 1, 4, 16, 48})
        EXPECT_EQ(Write(data, 4, 4, bits, path.c_str()), RC_PARAMETER_ERROR) << bits << " bits";
    EXPECT_EQ(Write(data, 4, 4, 24, nullptr), RC_PARAMETER_ERROR);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_P(ImageWriter, PathInMissingFolderFails) {
    const std::string folder = FreshPath("_missing");
    const std::string path = folder + "/image.img";
    EXPECT_EQ(Write(pixels_.data(), 4, 4, 24, path.c_str()), RC_FAIL);
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_P(ImageWriter, FullDeviceFails) {
    // Opens fine, every write fails: reported once the data is flushed.
    for (int bits : {8, 24, 32})
        EXPECT_EQ(Write(pixels_.data(), 16, 16, bits, "/dev/full"), RC_FAIL) << bits << " bits";
}

INSTANTIATE_TEST_SUITE_P(
    BothFormats, ImageWriter,
    testing::Values(
        NamedWriter{"Bmp",
                    [](unsigned char* d, int w, int h, int b, const char* p) {
                        return ZOQ_HelperSaveToBmp(d, w, h, b, p);
                    }},
        NamedWriter{"Jpg",
                    [](unsigned char* d, int w, int h, int b, const char* p) {
                        return ZOQ_HelperSaveToJpg(d, w, h, b, 90, p);
                    }}),
    [](const testing::TestParamInfo<NamedWriter>& info) { return info.param.name; });

TEST(JpgWriter, ImageLibjpegRefusesFailsWithoutEndingTheProcess) {
    // Wider than a JPEG frame may be: libjpeg reports a fatal error.
    const std::string path = FreshPath(".jpg");
    std::vector<unsigned char> row(70000, 50);
    EXPECT_EQ(ZOQ_HelperSaveToJpg(row.data(), 70000, 1, 8, 90, path.c_str()), RC_FAIL);
    std::filesystem::remove(path);
    // The library is usable afterwards.
    EXPECT_EQ(ZOQ_HelperSaveToJpg(row.data(), 100, 1, 8, 90, path.c_str()), RC_SUCCESS);
    std::filesystem::remove(path);
}

}  // namespace
