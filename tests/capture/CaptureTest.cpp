// Raw and RGB captures on a simulated MT9P031 colour camera: the frame the
// camera sent, demosaiced by the routine the Bayer and filter modes choose.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <vector>

#include "SimulatedCameraTest.h"
#include "zoqbayer.h"

namespace {

class Capture : public zoqtest::SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        m_camera = &Attach(52, 1);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        // A small window keeps the comparisons quick.
        ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 64, 32, 320, 240, ZOQ_ADDRESSMODE_NORMAL,
                                            ZOQ_ADDRESSMODE_NORMAL),
                  RC_SUCCESS);
    }

    // Captures RGB in Bayer mode `mode`; returns the image (with the bytes
    // the capture left untouched still 0x5A) and the raw frame behind it.
    std::vector<unsigned char> Rgb(int mode, std::vector<unsigned char>* raw, int* result) {
        ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(mode));
        int bits = 0;
        ZOQ_CaptureGetSizeEx(0, nullptr, nullptr, &bits);
        std::vector<unsigned char> image(kWidth * kHeight * bits / 8, 0x5A);
        *result = ZOQ_CaptureRgbData(0, image.data());
        *raw = Model(*m_camera).lastDeliveredFrame();
        return image;
    }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    zoqsim::SimDevice* m_camera = nullptr;
};

TEST_F(Capture, ARawFrameIsTheFrameTheCameraSent) {
    std::vector<unsigned char> frame(kWidth * kHeight);
    ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
    EXPECT_EQ(frame, Model(*m_camera).lastDeliveredFrame());
    EXPECT_EQ(frame, Model(*m_camera).renderFrame());
}

TEST_F(Capture, TheDefaultModeGivesBottomUpTwentyFourBitsOfTheCamerasPattern) {
    ZOQ_BAYERMODE mode = ZOQ_BAYER_BGGR_24_BOTTOMUP;
    ASSERT_EQ(ZOQ_BayerGetDefaultMode(0, &mode), RC_SUCCESS);
    ASSERT_EQ(static_cast<int>(mode), Model(*m_camera).facts().bayerPattern);
    ZOQ_FILTERMODE filter = ZOQ_FILTER_BILINEAR;
    ASSERT_EQ(ZOQ_FilterGetMode(0, &filter), RC_SUCCESS);
    EXPECT_EQ(filter, ZOQ_FILTER_FAST_BILINEAR);
    std::vector<unsigned char> raw;
    int rc = 0;
    std::vector<unsigned char> image = Rgb(mode, &raw, &rc);
    ASSERT_EQ(rc, RC_SUCCESS);
    std::vector<unsigned char> expected(image.size());
    using Routine = int (*)(unsigned char*, int, int, unsigned char*, unsigned short);
    const Routine byPattern[4] = {ZOQCFA_FastBilinear_BGGR_Flip, ZOQCFA_FastBilinear_GRBG_Flip,
                                  ZOQCFA_FastBilinear_RGGB_Flip, ZOQCFA_FastBilinear_GBRG_Flip};
    byPattern[mode](raw.data(), kWidth, kHeight, expected.data(), 24);
    EXPECT_EQ(image, expected);
}

TEST_F(Capture, BayerAndFilterModesPickTheRoutine) {
    std::vector<unsigned char> raw;
    int rc = 0;
    ZOQ_FilterSetMode(0, ZOQ_FILTER_NEAREST_NEIGHBOR);
    std::vector<unsigned char> image = Rgb(ZOQ_BAYER_RGGB_32_TOPDOWN, &raw, &rc);
    ASSERT_EQ(rc, RC_SUCCESS);
    std::vector<unsigned char> expected(image.size(), 0x5A);
    ZOQCFA_NearestNeighbor_RGGB(raw.data(), kWidth, kHeight, expected.data(), 32);
    EXPECT_EQ(image, expected);

    ZOQ_FilterSetMode(0, ZOQ_FILTER_LAPLACIAN);
    image = Rgb(ZOQ_BAYER_GBRG_24_BOTTOMUP, &raw, &rc);
    expected.assign(image.size(), 0);
    ZOQCFA_Laplacian_GBRG_Flip(raw.data(), kWidth, kHeight, expected.data(), 24);
    EXPECT_EQ(image, expected);

    image = Rgb(ZOQ_BAYER_BGGR_GRAY_TOPDOWN, &raw, &rc);  // gray ignores the filter
    ASSERT_EQ(image.size(), static_cast<size_t>(kWidth * kHeight));
    expected.assign(image.size(), 0);
    ZOQCFA_NearestNeighbor_RGGB_Gray(raw.data(), kWidth, kHeight, expected.data());
    EXPECT_EQ(image, expected);
}

TEST_F(Capture, ModesWithoutARoutineLeaveTheImageAlone) {
    std::vector<unsigned char> raw;
    int rc = -1;
    std::vector<unsigned char> image = Rgb(24, &raw, &rc);
    EXPECT_EQ(rc, RC_SUCCESS);
    EXPECT_EQ(image, std::vector<unsigned char>(image.size(), 0x5A));
    ZOQ_FilterSetMode(0, static_cast<ZOQ_FILTERMODE>(9));
    image = Rgb(ZOQ_BAYER_RGGB_24_TOPDOWN, &raw, &rc);
    EXPECT_EQ(rc, RC_SUCCESS);
    EXPECT_EQ(image, std::vector<unsigned char>(image.size(), 0x5A));
}

TEST_F(Capture, ANullBufferIsRefusedBeforeTheCameraIsTouched) {
    m_camera->clearRecords();
    EXPECT_EQ(ZOQ_CaptureRgbData(0, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_CaptureRgbDataAfterEmptyFrameBuffer(0, nullptr), RC_PARAMETER_ERROR);
    EXPECT_TRUE(m_camera->controlRecords().empty());
}

TEST_F(Capture, EmptyingTheFrameBufferFirstStillReturnsAFrame) {
    std::vector<unsigned char> frame(kWidth * kHeight);
    // This model's control word cannot be written, so emptying is refused,
    // and the capture reads the next frame all the same.
    EXPECT_EQ(ZOQ_EmptyFrameBuffer(0), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_CaptureRawDataAfterEmptyFrameBuffer(0, frame.data()), RC_SUCCESS);
    EXPECT_EQ(frame, Model(*m_camera).lastDeliveredFrame());
    std::vector<unsigned char> image(kWidth * kHeight * 3);
    int width = 0, height = 0, bits = 0;
    EXPECT_EQ(ZOQ_CaptureRgbDataExAfterEmptyFrameBuffer(0, image.data(), &width, &height, &bits),
              RC_SUCCESS);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    EXPECT_EQ(bits, 24);
    EXPECT_NE(image, std::vector<unsigned char>(image.size(), 0));
}

TEST_F(Capture, TheColourImageOfASoftStartIsBilinearRggbInThirtyTwoBits) {
    ASSERT_EQ(ZOQ_SoftStartCapture(0), RC_SUCCESS);
    std::vector<unsigned char> image(kWidth * kHeight * 4, 0x5A);
    ASSERT_EQ(ZOQ_ReadRgbDataAfterStart(0, image.data()), RC_SUCCESS);
    std::vector<unsigned char> raw = Model(*m_camera).lastDeliveredFrame();
    std::vector<unsigned char> expected(image.size(), 0x5A);
    ZOQCFA_Bilinear_RGGB(raw.data(), kWidth, kHeight, expected.data(), 32);
    EXPECT_EQ(image, expected);
}

TEST_F(Capture, CapturesBecomeImageFiles) {
    std::vector<unsigned char> image(kWidth * kHeight * 3);
    ASSERT_EQ(ZOQ_CaptureRgbData(0, image.data()), RC_SUCCESS);
    char bmp[] = "/tmp/zoqcaptureXXXXXX";
    int fd = mkstemp(bmp);
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_EQ(ZOQ_HelperSaveToBmp(image.data(), kWidth, kHeight, 24, bmp), RC_SUCCESS);
    FILE* file = fopen(bmp, "rb");
    ASSERT_NE(file, nullptr);
    fseek(file, 0, SEEK_END);
    EXPECT_EQ(ftell(file), 54 + kWidth * 3 * kHeight);
    fclose(file);
    EXPECT_EQ(ZOQ_HelperSaveToJpg(image.data(), kWidth, kHeight, 24, 90, bmp), RC_SUCCESS);
    unlink(bmp);
}

}  // namespace
