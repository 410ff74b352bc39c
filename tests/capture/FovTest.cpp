// Fields of view on the MT9P031 cameras: defaults, the camera's corrections,
// the image geometry derived from them and the frames that follow.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "SimulatedCameraTest.h"
#include "zoqbayer.h"

namespace {

struct Window {
    int columnStart = -1, rowStart = -1, columnSize = -1, rowSize = -1;
    ZOQ_ADDRESSMODE columnMode = ZOQ_ADDRESSMODE_INT_MAX, rowMode = ZOQ_ADDRESSMODE_INT_MAX;
};

class FieldOfView : public zoqtest::SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        m_camera = &Attach(52, 1);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
    }

    static Window Capture() {
        Window w;
        EXPECT_EQ(ZOQ_CaptureGetFieldOfView(0, &w.columnStart, &w.rowStart, &w.columnSize,
                                            &w.rowSize, &w.columnMode, &w.rowMode),
                  RC_SUCCESS);
        return w;
    }

    static int Set(int cs, int rs, int cz, int rz, int mode) {
        auto m = static_cast<ZOQ_ADDRESSMODE>(mode);
        return ZOQ_CaptureSetFieldOfView(0, cs, rs, cz, rz, m, m);
    }

    zoqsim::SimDevice* m_camera = nullptr;
};

TEST_F(FieldOfView, TheDefaultIsTheWholeSensor) {
    Window w;
    ASSERT_EQ(ZOQ_CaptureGetDefaultFieldOfView(0, &w.columnStart, &w.rowStart, &w.columnSize,
                                               &w.rowSize, &w.columnMode, &w.rowMode),
              RC_SUCCESS);
    EXPECT_EQ(w.columnStart, 0);
    EXPECT_EQ(w.rowStart, 0);
    EXPECT_EQ(w.columnSize, 2592);
    EXPECT_EQ(w.rowSize, 1944);
    EXPECT_EQ(w.columnMode, ZOQ_ADDRESSMODE_NORMAL);
    EXPECT_EQ(ZOQ_PreviewGetDefaultFieldOfView(0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                               nullptr),
              RC_SUCCESS);
    // At open the records hold what the camera is programmed with.
    Window current = Capture();
    EXPECT_EQ(current.columnSize, 2592);
    EXPECT_EQ(current.rowSize, 1944);
    int width = 0, height = 0, bits = 0;
    ASSERT_EQ(ZOQ_CaptureGetSizeEx(0, &width, &height, &bits), RC_SUCCESS);
    EXPECT_EQ(width, 2592);
    EXPECT_EQ(height, 1944);
    EXPECT_EQ(bits, 24);
}

TEST_F(FieldOfView, RequestsAreCorrectedNotRefused) {
    EXPECT_EQ(Set(10, 20, 0, 0, 0), RC_SUCCESS);  // sizes of 0 become 1
    Window w = Capture();
    EXPECT_EQ(w.columnSize, 1);
    EXPECT_EQ(w.rowSize, 1);
    EXPECT_EQ(w.columnStart, 10);

    EXPECT_EQ(Set(2000, 1500, 1000, 800, 0), RC_SUCCESS);  // past the edge: starts move
    w = Capture();
    EXPECT_EQ(w.columnStart, 1592);
    EXPECT_EQ(w.rowStart, 1144);
    EXPECT_EQ(w.columnSize, 1000);

    EXPECT_EQ(Set(0, 0, 5000, 5000, 0), RC_SUCCESS);  // sizes beyond the sensor
    w = Capture();
    EXPECT_EQ(w.columnSize, 2592);
    EXPECT_EQ(w.rowSize, 1944);

    // An address mode above 4 becomes 4 when the model skips by 8.
    int skip8 = 0;
    ASSERT_EQ(ZOQ_QueryFunction(0, ZOQ_FUNC_ADDRESSMODE_4, &skip8), RC_SUCCESS);
    EXPECT_EQ(Set(0, 0, 2592, 1944, 7), RC_SUCCESS);
    w = Capture();
    EXPECT_EQ(w.columnMode, skip8 ? ZOQ_ADDRESSMODE_STEP8 : ZOQ_ADDRESSMODE_NORMAL);
    EXPECT_EQ(w.rowMode, w.columnMode);  // the row mode follows the column mode

    // A mixed request keeps the column mode for both.
    ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 0, 0, 2592, 1944, ZOQ_ADDRESSMODE_STEP2,
                                        ZOQ_ADDRESSMODE_NORMAL),
              RC_SUCCESS);
    w = Capture();
    EXPECT_EQ(w.rowMode, ZOQ_ADDRESSMODE_STEP2);
}

TEST_F(FieldOfView, TheWindowIsProgrammedIntoTheSensor) {
    ASSERT_EQ(Set(100, 50, 640, 480, 0), RC_SUCCESS);
    zoqsim::CameraModel& camera = Model(*m_camera);
    EXPECT_EQ(camera.sensorRegister(0x02), 100 + 16);
    EXPECT_EQ(camera.sensorRegister(0x01), 50 + 54);
    EXPECT_EQ(camera.sensorRegister(0x04), 639);
    EXPECT_EQ(camera.sensorRegister(0x03), 479);
    zoqsim::FrameGeometry geometry = camera.geometry();
    EXPECT_EQ(geometry.width, 640u);
    EXPECT_EQ(geometry.height, 480u);
    EXPECT_EQ(geometry.columnStart, 100);
    EXPECT_EQ(geometry.rowStart, 50);
}

TEST_F(FieldOfView, AddressModesDivideTheImage) {
    ASSERT_EQ(Set(0, 0, 2592, 1944, 1), RC_SUCCESS);
    int width = 0, height = 0;
    ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
    EXPECT_EQ(width, 1296);
    EXPECT_EQ(height, 972);
    ASSERT_EQ(Set(0, 0, 2592, 1944, 2), RC_SUCCESS);
    ZOQ_CaptureGetSize(0, &width, &height);
    EXPECT_EQ(width, 864);
    EXPECT_EQ(height, 648);
    zoqsim::FrameGeometry geometry = Model(*m_camera).geometry();
    EXPECT_EQ(geometry.columnStep, 3u);
    EXPECT_EQ(static_cast<int>(geometry.width), width);
    EXPECT_EQ(static_cast<int>(geometry.height), height);
}

TEST_F(FieldOfView, CapturesFollowTheWindow) {
    struct Case {
        int cs, rs, cz, rz, mode;
    };
    for (const Case& c : {Case{0, 0, 640, 480, 0}, Case{300, 200, 1024, 768, 1},
                          Case{1, 1, 2591, 1943, 3}, Case{0, 0, 2592, 1944, 4}}) {
        ASSERT_EQ(Set(c.cs, c.rs, c.cz, c.rz, c.mode), RC_SUCCESS);
        int width = 0, height = 0;
        ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
        std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
        std::vector<unsigned char> expected = Model(*m_camera).renderFrame();
        ASSERT_EQ(expected.size(), frame.size()) << c.cz << "x" << c.rz << " mode " << c.mode;
        ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
        EXPECT_EQ(frame, expected) << c.cz << "x" << c.rz << " mode " << c.mode;
    }
}

TEST_F(FieldOfView, ThePreviewWindowIsOnlyRecordedWhileTheCaptureOneIsCurrent) {
    m_camera->clearRecords();
    ASSERT_EQ(ZOQ_PreviewSetFieldOfView(0, 8, 8, 320, 240, ZOQ_ADDRESSMODE_NORMAL,
                                        ZOQ_ADDRESSMODE_NORMAL),
              RC_SUCCESS);
    EXPECT_TRUE(m_camera->controlRecords().empty());
    Window w;
    ASSERT_EQ(ZOQ_PreviewGetFieldOfView(0, &w.columnStart, &w.rowStart, &w.columnSize,
                                        &w.rowSize, &w.columnMode, &w.rowMode),
              RC_SUCCESS);
    EXPECT_EQ(w.columnSize, 320);
    EXPECT_EQ(w.rowSize, 240);
    int width = 0, height = 0;
    ASSERT_EQ(ZOQ_PreviewGetSize(0, &width, &height), RC_SUCCESS);
    EXPECT_EQ(width, 320);
    ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
    EXPECT_EQ(width, 2592);
}

TEST_F(FieldOfView, TheBitCountFollowsTheBayerMode) {
    struct Case {
        int mode, bits;
    };
    for (const Case& c : {Case{0, 24}, Case{7, 24}, Case{8, 32}, Case{15, 32}, Case{16, 8},
                          Case{23, 8}, Case{24, 24}}) {
        EXPECT_EQ(ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(c.mode)), RC_NOT_SUPPORTED);
        ZOQ_BAYERMODE mode = ZOQ_BAYER_BGGR_24_BOTTOMUP;
        EXPECT_EQ(ZOQ_BayerGetMode(0, &mode), RC_SUCCESS);
        EXPECT_EQ(mode, c.mode);
        int bits = 0;
        ASSERT_EQ(ZOQ_CaptureGetSizeEx(0, nullptr, nullptr, &bits), RC_SUCCESS);
        EXPECT_EQ(bits, c.bits) << "mode " << c.mode;
    }
}

// A camera that stacks several frames per capture (register 8) and one that
// sends 16-bit samples (control word bit 4): the records and the frames
// follow what the plug-in read at open.
class CaptureLayout : public zoqtest::SimulatedCameraTest {};

TEST_F(CaptureLayout, StackedFramesMultiplyTheHeight) {
    zoqsim::SimDevice& device = Attach(52, 1);
    Model(device).setFpgaRegister(8, 3);
    Init();
    int width = 0, height = 0;
    ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
    EXPECT_EQ(width, 2592);
    EXPECT_EQ(height, 3 * 1944);
    ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 0, 0, 640, 480, ZOQ_ADDRESSMODE_STEP2,
                                        ZOQ_ADDRESSMODE_STEP2),
              RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 3 * 240);
    std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
    ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
    EXPECT_EQ(frame, Model(device).lastDeliveredFrame());
    EXPECT_EQ(Model(device).geometry().frames, 3u);
}

TEST_F(CaptureLayout, SixteenBitSamplesDoubleTheRawFrame) {
    zoqsim::SimDevice& device = Attach(52, 1);
    Model(device).setFpgaRegister(0, 0x0010);
    Init();
    ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 0, 0, 64, 48, ZOQ_ADDRESSMODE_NORMAL,
                                        ZOQ_ADDRESSMODE_NORMAL),
              RC_SUCCESS);
    std::vector<unsigned char> frame(64 * 48 * 2);
    ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
    EXPECT_EQ(frame, Model(device).lastDeliveredFrame());
    // RGB of a 16-bit frame: 16-bit words per channel, nearest neighbour,
    // top-down for Bayer mode 1 (the 16-bit road runs opposite to the 8-bit).
    std::vector<unsigned short> rgb(64 * 48 * 3, 0x5A5A);
    ASSERT_EQ(ZOQ_CaptureRgbData(0, reinterpret_cast<unsigned char*>(rgb.data())), RC_SUCCESS);
    std::vector<unsigned short> raw(64 * 48);
    std::vector<uint8_t> delivered = Model(device).lastDeliveredFrame();
    memcpy(raw.data(), delivered.data(), delivered.size());
    std::vector<unsigned short> expected(rgb.size(), 0x5A5A);
    ZOQCFA_NearestNeighbor_GRBG_16Bits(raw.data(), 64, 48, expected.data(), 24);
    EXPECT_EQ(rgb, expected);
}

}  // namespace
