// Fixture of the stream tests: a simulated camera with a small window and a
// stream on it, closed before the library ends.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "SimulatedCameraTest.h"
#include "zoqstream.h"

namespace zoqtest {

// A frame taken from a stream, copied out and given back.
struct TakenFrame {
    ZOQSTREAM_FRAME record{};
    std::vector<unsigned char> data;
};

class StreamTest : public SimulatedCameraTest {
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    void TearDown() override {
        if (m_stream != nullptr) {
            EXPECT_EQ(ZOQStream_Close(m_stream), RC_SUCCESS);
        }
        m_stream = nullptr;
        SimulatedCameraTest::TearDown();
    }

    // Camera 0 of type 52 behind a link of `bandwidth` bytes a second (0:
    // unlimited), with a kWidth x kHeight window.
    zoqsim::SimDevice& AttachCamera(double bandwidth = 0.0, int serial = 1) {
        zoqsim::CameraConfig config;
        config.serial = static_cast<uint8_t>(serial);
        config.bandwidth = bandwidth;
        return Attach(config);
    }

    static void SetSmallWindow(int index) {
        ASSERT_EQ(ZOQ_CaptureSetFieldOfView(index, 64, 32, kWidth, kHeight, ZOQ_ADDRESSMODE_NORMAL,
                                            ZOQ_ADDRESSMODE_NORMAL),
                  RC_SUCCESS);
    }

    static ZOQSTREAM_CONFIG Config(int format, int buffers, int policy) {
        ZOQSTREAM_CONFIG config;
        ZOQStream_ConfigInit(&config);
        config.format = format;
        config.bufferCount = buffers;
        config.policy = policy;
        return config;
    }

    void OpenStream(const ZOQSTREAM_CONFIG& config, int index = 0) {
        ASSERT_EQ(ZOQStream_Open(index, &config, &m_stream), RC_SUCCESS);
        ASSERT_NE(m_stream, nullptr);
    }

    // The next frame of `stream`, copied, and given back at once.
    static int Take(ZOQSTREAM* stream, TakenFrame* out, unsigned int timeoutMs = 30000) {
        ZOQSTREAM_FRAME* frame = nullptr;
        int rc = ZOQStream_WaitFrame(stream, timeoutMs, &frame);
        if (rc != RC_SUCCESS) return rc;
        out->record = *frame;
        out->data.assign(frame->data, frame->data + (frame->data != nullptr ? frame->bytes : 0));
        EXPECT_EQ(ZOQStream_ReleaseFrame(stream, frame), RC_SUCCESS);
        return RC_SUCCESS;
    }
    int Take(TakenFrame* out, unsigned int timeoutMs = 30000) {
        return Take(m_stream, out, timeoutMs);
    }

    ZOQSTREAM_STATS Stats() {
        ZOQSTREAM_STATS stats{};
        EXPECT_EQ(ZOQStream_GetStats(m_stream, &stats), RC_SUCCESS);
        return stats;
    }

    ZOQSTREAM* m_stream = nullptr;
};

}  // namespace zoqtest
