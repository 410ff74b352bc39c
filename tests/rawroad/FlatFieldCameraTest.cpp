// Flat-field correction on a simulated MT9P031 whose optics darken the
// corners: dark and flat frames made from captures, the switches, loading
// correction data and when a frame is corrected at all.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SimulatedCameraTest.h"
#include "TempFile.h"

namespace {

using rawroadtest::Le32;
using rawroadtest::LeFloat;
using rawroadtest::TempFile;

// Nearly the whole sensor, every fourth column and row: 640 x 480.
constexpr int kWidth = 2560 / 4;
constexpr int kHeight = 1920 / 4;
constexpr float kDarkMs = 0.05f;
constexpr float kLightMs = 20.0f;

class FlatField : public zoqtest::SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        zoqsim::CameraConfig config;
        config.deviceType = 52;
        config.scene.vignetting = 0.6;
        m_camera = &Attach(config);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        ASSERT_EQ(SetWindow(ZOQ_CaptureSetFieldOfView, 0), RC_SUCCESS);
        ASSERT_EQ(SetFlatFieldWindow(0), RC_SUCCESS);
        int w = 0, h = 0;
        ASSERT_EQ(ZOQ_CaptureGetSize(0, &w, &h), RC_SUCCESS);
        ASSERT_EQ(w, kWidth);
        ASSERT_EQ(h, kHeight);
    }

    static int SetWindow(int (*set)(int, int, int, int, int, ZOQ_ADDRESSMODE, ZOQ_ADDRESSMODE),
                         int columnStart) {
        return set(0, columnStart, 0, 2560, 1920, ZOQ_ADDRESSMODE_STEP4, ZOQ_ADDRESSMODE_STEP4);
    }

    static int SetFlatFieldWindow(int columnStart) {
        return ZOQ_SetFlatFieldCorrectionFieldOfView(
            0, columnStart, 0, 2560, 1920, ZOQ_ADDRESSMODE_STEP4, ZOQ_ADDRESSMODE_STEP4, 1);
    }

    // Dark frame with the shutter almost closed, flat frame in the light.
    void MakeFrames() {
        ASSERT_EQ(ZOQ_ExposureTimeSet(0, kDarkMs), RC_SUCCESS);
        ASSERT_EQ(ZOQ_MakeDarkFrame(0, 2), RC_SUCCESS);
        ASSERT_EQ(ZOQ_ExposureTimeSet(0, kLightMs), RC_SUCCESS);
        ASSERT_EQ(ZOQ_MakeFlatFieldFrame(0, 3), RC_SUCCESS);
    }

    std::vector<unsigned char> Capture() {
        std::vector<unsigned char> frame(kWidth * kHeight);
        EXPECT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
        return frame;
    }

    std::vector<unsigned char> Sent() { return Model(*m_camera).lastDeliveredFrame(); }

    bool CapturedAsSent() {
        std::vector<unsigned char> frame = Capture();
        return frame == Sent();
    }

    // Same-colour samples of the background: the top-left corner against
    // the sensor's middle row, near the left edge.
    static int CornerToMiddle(const std::vector<unsigned char>& frame) {
        return frame[2 * kWidth + 2] - frame[(kHeight / 2 & ~1) * kWidth + 2];
    }

    zoqsim::SimDevice* m_camera = nullptr;
};

TEST_F(FlatField, TheCorrectionFlattensAVignettedScene) {
    MakeFrames();
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    std::vector<unsigned char> frame = Capture();
    std::vector<unsigned char> sent = Sent();
    ASSERT_LT(CornerToMiddle(sent), -5) << "the corners are darker as sent";
    // The scene is the one the flat frame saw: every pixel with light on it
    // comes out at the frame's mean level. (A colour channel that the chart
    // leaves black stays black: flat and dark frame agree there.)
    int low = 255, high = 0, lit = 0;
    for (size_t i = 0; i < frame.size(); ++i) {
        if (sent[i] < 4) continue;
        ++lit;
        low = std::min<int>(low, frame[i]);
        high = std::max<int>(high, frame[i]);
    }
    EXPECT_GT(lit, kWidth * kHeight * 9 / 10);
    EXPECT_LE(high - low, 1);
    EXPECT_GT(low, 20);
}

TEST_F(FlatField, FramesAreAveragesOfCapturesMadeWithTheirOwnWindow) {
    // Capture with a smaller window; the frames still use the flat-field one.
    ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 64, 32, 320, 240, ZOQ_ADDRESSMODE_NORMAL,
                                        ZOQ_ADDRESSMODE_NORMAL),
              RC_SUCCESS);
    const uint64_t before = Model(*m_camera).framesTriggered();
    ASSERT_EQ(ZOQ_MakeDarkFrame(0, 0), RC_SUCCESS);  // 0 counts as one frame
    EXPECT_EQ(Model(*m_camera).framesTriggered(), before + 1);
    EXPECT_EQ(Sent().size(), size_t(kWidth) * kHeight);
    int columnSize = 0, rowSize = 0;
    ASSERT_EQ(
        ZOQ_CaptureGetFieldOfView(0, nullptr, nullptr, &columnSize, &rowSize, nullptr, nullptr),
        RC_SUCCESS);
    EXPECT_EQ(columnSize, 320);  // set back afterwards
    EXPECT_EQ(rowSize, 240);
    EXPECT_EQ(ZOQ_MakeFlatFieldFrame(0, 0), RC_PARAMETER_ERROR);
    EXPECT_EQ(Model(*m_camera).framesTriggered(), before + 1);
}

TEST_F(FlatField, SwitchingOnNeedsBothFrames) {
    EXPECT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_ILLEGAL_OPERATION);
    ASSERT_EQ(ZOQ_MakeDarkFrame(0, 1), RC_SUCCESS);
    EXPECT_EQ(ZOQ_PreviewSetFlatFieldCorrection(0, true), RC_ILLEGAL_OPERATION);
    ASSERT_EQ(ZOQ_MakeFlatFieldFrame(0, 1), RC_SUCCESS);
    EXPECT_EQ(ZOQ_PreviewSetFlatFieldCorrection(0, true), RC_SUCCESS);
    bool on = false;
    ASSERT_EQ(ZOQ_PreviewGetFlatFieldCorrection(0, &on), RC_SUCCESS);
    EXPECT_TRUE(on);
    ASSERT_EQ(ZOQ_CaptureGetFlatFieldCorrection(0, &on), RC_SUCCESS);
    EXPECT_FALSE(on);
    // Only the capture switch counts for captures.
    EXPECT_TRUE(CapturedAsSent());
}

TEST_F(FlatField, ANewFrameStopsTheCorrectionUntilSwitchedOnAgain) {
    MakeFrames();
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, kDarkMs), RC_SUCCESS);
    ASSERT_EQ(ZOQ_MakeDarkFrame(0, 1), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, kLightMs), RC_SUCCESS);
    bool on = false;
    ASSERT_EQ(ZOQ_CaptureGetFlatFieldCorrection(0, &on), RC_SUCCESS);
    EXPECT_TRUE(on);  // the switch stays, the gain table is gone
    EXPECT_TRUE(CapturedAsSent());
    // Saving computes gains for the file only.
    TempFile saved({});
    ASSERT_EQ(ZOQ_SaveFlatFieldCorrection(0, saved.mutablePath()), RC_SUCCESS);
    EXPECT_TRUE(CapturedAsSent());
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    EXPECT_FALSE(CapturedAsSent());
}

TEST_F(FlatField, AFrameOfAnotherWindowIsNotCorrected) {
    MakeFrames();
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    // Moved by one Bayer period: same size, other start.
    ASSERT_EQ(SetWindow(ZOQ_CaptureSetFieldOfView, 16), RC_SUCCESS);
    int columnStart = 0;
    ASSERT_EQ(
        ZOQ_CaptureGetFieldOfView(0, &columnStart, nullptr, nullptr, nullptr, nullptr, nullptr),
        RC_SUCCESS);
    ASSERT_NE(columnStart, 0);
    EXPECT_TRUE(CapturedAsSent());
}

TEST_F(FlatField, TheFlatFieldWindowIsCorrectedByTheCamera) {
    ASSERT_EQ(ZOQ_SetFlatFieldCorrectionFieldOfView(0, 3, 5, 101, 77, ZOQ_ADDRESSMODE_NORMAL,
                                                    ZOQ_ADDRESSMODE_NORMAL, 1),
              RC_SUCCESS);
    int columnStart = 0, rowStart = 0, columnSize = 0, rowSize = 0;
    ZOQ_ADDRESSMODE columnMode = ZOQ_ADDRESSMODE_STEP4, rowMode = ZOQ_ADDRESSMODE_STEP4;
    unsigned short frames = 0;
    ASSERT_EQ(ZOQ_GetFlatFieldCorrectionFieldOfView(0, &columnStart, &rowStart, &columnSize,
                                                    &rowSize, &columnMode, &rowMode, &frames),
              RC_SUCCESS);
    // The same correction a capture window gets.
    ASSERT_EQ(
        ZOQ_CaptureSetFieldOfView(0, 3, 5, 101, 77, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL),
        RC_SUCCESS);
    int captureStart = 0, captureRow = 0, captureColumns = 0, captureRows = 0;
    ASSERT_EQ(ZOQ_CaptureGetFieldOfView(0, &captureStart, &captureRow, &captureColumns,
                                        &captureRows, nullptr, nullptr),
              RC_SUCCESS);
    EXPECT_EQ(columnStart, captureStart);
    EXPECT_EQ(rowStart, captureRow);
    EXPECT_EQ(columnSize, captureColumns);
    EXPECT_EQ(rowSize, captureRows);
    EXPECT_EQ(columnMode, ZOQ_ADDRESSMODE_NORMAL);
    EXPECT_EQ(frames, 1);
}

TEST_F(FlatField, LoadedCorrectionDataReplacesTheDarkFrameAndGain) {
    MakeFrames();
    // A record for the current window; dark 0 and gain 2 everywhere.
    int columnStart = 0, rowStart = 0, columnSize = 0, rowSize = 0;
    ASSERT_EQ(ZOQ_GetFlatFieldCorrectionFieldOfView(0, &columnStart, &rowStart, &columnSize,
                                                    &rowSize, nullptr, nullptr, nullptr),
              RC_SUCCESS);
    const int n = kWidth * kHeight;
    std::vector<unsigned char> file;
    for (int v : {columnStart, columnSize, rowStart, rowSize, 3, 3, 1, kWidth, kHeight, n, n})
        Le32(file, uint32_t(v));
    file.resize(file.size() + n, 0);
    for (int i = 0; i < n; ++i) LeFloat(file, 2.0f);
    TempFile good(file);
    ASSERT_EQ(ZOQ_LoadFlatFieldCorrection(0, good.mutablePath()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    std::vector<unsigned char> frame = Capture();
    std::vector<unsigned char> expected = Sent();
    for (unsigned char& v : expected) v = static_cast<unsigned char>(std::min(255, 2 * v));
    EXPECT_EQ(frame, expected);

    // A file cut short is refused and changes nothing.
    file.resize(file.size() - 1);
    TempFile truncated(file);
    EXPECT_EQ(ZOQ_LoadFlatFieldCorrection(0, truncated.mutablePath()), RC_FAIL);
    EXPECT_EQ(Capture(), frame);
    char missing[] = "/nonexistent/zoq_flat_field";
    EXPECT_EQ(ZOQ_LoadFlatFieldCorrection(0, missing), RC_FAIL);
}

TEST_F(FlatField, LoadedDataAloneCanBeSwitchedOn) {
    // A fresh device: no frames made, only the file's dark frame and gains.
    const int n = kWidth * kHeight;
    std::vector<unsigned char> file;
    for (int v : {0, 2560, 0, 1920, 3, 3, 1, kWidth, kHeight, n, n}) Le32(file, uint32_t(v));
    file.resize(file.size() + n, 10);
    for (int i = 0; i < n; ++i) LeFloat(file, 1.5f);
    TempFile data(file);
    ASSERT_EQ(ZOQ_LoadFlatFieldCorrection(0, data.mutablePath()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_PreviewSetFlatFieldCorrection(0, true), RC_SUCCESS);
    std::vector<unsigned char> frame = Capture();
    std::vector<unsigned char> expected = Sent();
    for (unsigned char& v : expected) {
        const float corrected = static_cast<float>(v - 10) * 1.5f + 0.5f;
        v = corrected > 255.0f ? 255 : corrected < 0.0f ? 0 : static_cast<unsigned char>(corrected);
    }
    EXPECT_EQ(frame, expected);
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, false), RC_SUCCESS);
    EXPECT_TRUE(CapturedAsSent());
}

TEST_F(FlatField, SavedCorrectionCorrectsTheSameAfterARestart) {
    char path[] = "/tmp/zoq_flat_field_XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    // Nothing to save yet: no file is written over.
    std::ofstream(path, std::ios::binary) << "keep";
    EXPECT_EQ(ZOQ_SaveFlatFieldCorrection(0, path), RC_ILLEGAL_OPERATION);
    EXPECT_EQ(ZOQ_SaveFlatFieldCorrection(0, nullptr), RC_PARAMETER_ERROR);
    ASSERT_EQ(ZOQ_MakeDarkFrame(0, 1), RC_SUCCESS);  // a dark frame alone has no gains
    EXPECT_EQ(ZOQ_SaveFlatFieldCorrection(0, path), RC_ILLEGAL_OPERATION);
    std::ifstream kept(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep");
    char unwritable[] = "/nonexistent/zoq_flat_field";

    MakeFrames();
    // Saving computes the gains when the switch has not done so yet.
    ASSERT_EQ(ZOQ_SaveFlatFieldCorrection(0, path), RC_SUCCESS);
    EXPECT_EQ(ZOQ_SaveFlatFieldCorrection(0, unwritable), RC_FAIL);
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    const std::vector<unsigned char> before = Capture();
    const std::vector<unsigned char> sentBefore = Sent();
    ASSERT_NE(before, sentBefore);

    // Record, dark frame and gains, as a load reads them.
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> saved{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    const size_t n = size_t(kWidth) * kHeight;
    ASSERT_EQ(saved.size(), 44 + 5 * n);
    auto field = [&](int i) {
        uint32_t v = 0;
        for (int b = 3; b >= 0; --b) v = v << 8 | saved[4 * i + b];
        return v;
    };
    const uint32_t record[11] = {0, 2560,   0,       1920,        3,          3,
                                 1, kWidth, kHeight, uint32_t(n), uint32_t(n)};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(field(i), record[i]) << "field " << i;

    ZOQ_UnInit();
    Init();
    ASSERT_EQ(SetWindow(ZOQ_CaptureSetFieldOfView, 0), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, kLightMs), RC_SUCCESS);
    EXPECT_TRUE(CapturedAsSent());
    ASSERT_EQ(ZOQ_LoadFlatFieldCorrection(0, path), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    const std::vector<unsigned char> after = Capture();
    ASSERT_EQ(Sent(), sentBefore) << "the scene is still";
    EXPECT_EQ(after, before);
    unlink(path);
}

}  // namespace
