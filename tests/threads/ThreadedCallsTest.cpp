// Several threads calling the library at once: two cameras captured from two
// threads, and one camera captured while another thread changes its
// settings. Every frame must arrive whole, in the geometry the capture
// reports, and nothing may be written past it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "SimulatedCameraTest.h"

namespace {

constexpr unsigned char kUntouched = 0x5A;
// The two windows the settings thread switches between.
constexpr int kSmall[4] = {64, 32, 160, 120};
constexpr int kLarge[4] = {0, 0, 320, 240};
constexpr size_t kSmallPixels = 160 * 120;
constexpr size_t kLargePixels = 320 * 240;
constexpr size_t kGuard = 4096;
// ThreadSanitizer runs the pipeline some hundred times slower.
#ifdef __SANITIZE_THREAD__
constexpr int kFrames = 10;
#else
constexpr int kFrames = 40;
#endif

int SetWindow(int index, const int (&window)[4]) {
    return ZOQ_CaptureSetFieldOfView(index, window[0], window[1], window[2], window[3],
                                     ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL);
}

// Index of the first byte from `from` on that a capture wrote, or -1.
long FirstWritten(const std::vector<unsigned char>& buffer, size_t from) {
    auto it = std::find_if(buffer.begin() + static_cast<long>(from), buffer.end(),
                           [](unsigned char b) { return b != kUntouched; });
    return it == buffer.end() ? -1 : it - buffer.begin();
}

// Runs `body(done)` on a thread of its own until the scope ends, also when
// an assertion leaves it early.
class Background {
public:
    template <typename Body>
    explicit Background(Body body) : m_thread([this, body] { body(m_done); }) {}
    ~Background() {
        m_done = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Changes exposure, gain, white balance, Bayer mode and the window of camera
// 0 until `done`; counts the changes made.
void ChangeSettingsUntil(const std::atomic<bool>& done, int* changes) {
    const ZOQ_BAYERMODE modes[3] = {ZOQ_BAYER_RGGB_24_BOTTOMUP, ZOQ_BAYER_RGGB_32_TOPDOWN,
                                    ZOQ_BAYER_RGGB_GRAY_BOTTOMUP};
    const ZOQ_WB_MODE balance[2] = {ZOQ_WB_SOFT_AUTO_CONTINUOUS, ZOQ_WB_OFF};
    for (int i = 0; !done; ++i) {
        EXPECT_EQ(ZOQ_ExposureTimeSet(0, 5.0f + static_cast<float>(i % 7)), RC_SUCCESS);
        EXPECT_EQ(ZOQ_SetParam(0, ZOQ_PARAM_GAIN_G, 8 + i % 16), RC_SUCCESS);
        EXPECT_EQ(ZOQ_WhiteBalanceSet(0, balance[i % 2]), RC_SUCCESS);
        ZOQ_BayerSetMode(0, modes[i % 3]);  // reports that no preview follows
        EXPECT_EQ(SetWindow(0, i % 2 ? kLarge : kSmall), RC_SUCCESS);
        ++*changes;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

using ThreadedCalls = zoqtest::SimulatedCameraTest;

TEST_F(ThreadedCalls, TwoCamerasCapturedFromTwoThreadsGetTheirOwnFrames) {
    zoqsim::SimDevice* cameras[2] = {&Attach(52, 1), &Attach(53, 2)};
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 2);
    // The device index follows libusb's list: the camera plugged last first.
    ASSERT_EQ(Serial(0), 2);
    zoqsim::SimDevice* byIndex[2] = {cameras[1], cameras[0]};
    for (int index = 0; index < 2; ++index) ASSERT_EQ(SetWindow(index, kSmall), RC_SUCCESS);

    int good[2] = {0, 0};
    auto capture = [&](int index) {
        std::vector<unsigned char> raw(kSmallPixels);
        std::vector<unsigned char> rgb(kSmallPixels * 4);
        for (int i = 0; i < kFrames; ++i) {
            // Raw frames must be exactly what this camera sent.
            if (ZOQ_CaptureRawData(index, raw.data()) != RC_SUCCESS) continue;
            if (raw != Model(*byIndex[index]).lastDeliveredFrame()) continue;
            if (ZOQ_CaptureRgbData(index, rgb.data()) != RC_SUCCESS) continue;
            ++good[index];
        }
    };
    std::thread first(capture, 0);
    std::thread second(capture, 1);
    first.join();
    second.join();
    EXPECT_EQ(good[0], kFrames);
    EXPECT_EQ(good[1], kFrames);
}

TEST_F(ThreadedCalls, ColourCapturesStayInsideTheGeometryTheyReport) {
    Attach(52, 1);
    Init();
    ASSERT_EQ(SetWindow(0, kSmall), RC_SUCCESS);
    int changes = 0;
    int good = 0;
    {
        Background settings(
            [&](const std::atomic<bool>& done) { ChangeSettingsUntil(done, &changes); });
        std::vector<unsigned char> image(kLargePixels * 4 + kGuard);
        for (int i = 0; i < kFrames; ++i) {
            std::fill(image.begin(), image.end(), kUntouched);
            int width = 0, height = 0, bits = 0;
            int rc =
                ZOQ_CaptureRgbDataExAfterEmptyFrameBuffer(0, image.data(), &width, &height, &bits);
            ASSERT_EQ(rc, RC_SUCCESS) << "frame " << i;
            // The size reported is the one of a window that was set, and the
            // capture wrote nothing past it.
            bool known = (width == kSmall[2] && height == kSmall[3]) ||
                         (width == kLarge[2] && height == kLarge[3]);
            ASSERT_TRUE(known) << width << " x " << height;
            ASSERT_TRUE(bits == 8 || bits == 24 || bits == 32) << bits;
            const size_t size = static_cast<size_t>(width) * height * bits / 8;
            ASSERT_EQ(FirstWritten(image, size), -1)
                << "frame " << i << ", " << width << " x " << height << " x " << bits;
            ++good;
        }
    }
    EXPECT_EQ(good, kFrames);
    EXPECT_GT(changes, 0);
}

TEST_F(ThreadedCalls, RawFramesArriveWholeWhileTheWindowChanges) {
    zoqsim::SimDevice& camera = Attach(52, 1);
    Init();
    ASSERT_EQ(SetWindow(0, kSmall), RC_SUCCESS);
    int changes = 0;
    {
        Background settings(
            [&](const std::atomic<bool>& done) { ChangeSettingsUntil(done, &changes); });
        std::vector<unsigned char> frame(kLargePixels + kGuard);
        for (int i = 0; i < kFrames; ++i) {
            std::fill(frame.begin(), frame.end(), kUntouched);
            ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS) << "frame " << i;
            // Only this thread reads frames: the camera's last one is ours.
            const std::vector<unsigned char> sent = Model(camera).lastDeliveredFrame();
            ASSERT_TRUE(sent.size() == kSmallPixels || sent.size() == kLargePixels) << sent.size();
            ASSERT_TRUE(std::equal(sent.begin(), sent.end(), frame.begin())) << "frame " << i;
            ASSERT_EQ(FirstWritten(frame, sent.size()), -1) << "frame " << i;
        }
    }
    EXPECT_GT(changes, 0);
}

// Callbacks run inside the capture, on the capturing thread, and may call
// the device they report on.
struct CallbackProbe {
    int calls = 0;
    int exposureReads = 0;
};

void OnAutoExposure(ZOQ_AE_STATUS, int, void* context) {
    auto* probe = static_cast<CallbackProbe*>(context);
    ++probe->calls;
    float ms = 0.0f;
    if (ZOQ_ExposureTimeGet(0, &ms) == RC_SUCCESS && ms > 0.0f) ++probe->exposureReads;
    ZOQ_ExposureTimeSet(0, ms);
}

TEST_F(ThreadedCalls, ACallbackInsideACaptureMayCallTheDevice) {
    Attach(52, 1);
    Init();
    ASSERT_EQ(SetWindow(0, kSmall), RC_SUCCESS);
    CallbackProbe probe;
    ASSERT_EQ(ZOQ_AESetCallbackEx(0, OnAutoExposure, &probe), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AEStartEx(0, true), RC_SUCCESS);
    {
        // A second thread keeps asking for the exposure meanwhile.
        Background reader([](const std::atomic<bool>& done) {
            float ms = 0.0f;
            while (!done) EXPECT_EQ(ZOQ_ExposureTimeGet(0, &ms), RC_SUCCESS);
        });
        std::vector<unsigned char> frame(kSmallPixels);
        for (int i = 0; i < 9; ++i) ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
    }
    EXPECT_GE(probe.calls, 1);  // auto exposure looks at every third frame
    EXPECT_EQ(probe.exposureReads, probe.calls);
}

}  // namespace
