// A stream's frames: in sequence, whole, the same as single captures give,
// by waiting or by callback; and what the interface refuses.
#include <unistd.h>

#include <mutex>
#include <vector>

#include "StreamSupport.h"

namespace {

using zoqtest::TakenFrame;

class Stream : public zoqtest::StreamTest {
protected:
    void SetUp() override {
        StreamTest::SetUp();
        m_camera = &AttachCamera();
        Init();
        SetSmallWindow(0);
    }

    zoqsim::CameraModel& Camera() { return Model(*m_camera); }
    zoqsim::SimDevice* m_camera = nullptr;
};

TEST_F(Stream, RawFramesComeInSequenceWholeAndStamped) {
    OpenStream(Config(ZOQSTREAM_FORMAT_RAW, 4, ZOQSTREAM_BLOCK));
    ASSERT_EQ(ZOQStream_Start(m_stream), RC_SUCCESS);
    const std::vector<unsigned char> expected = Camera().renderFrame();
    ASSERT_EQ(expected.size(), static_cast<size_t>(kWidth * kHeight));
    unsigned long long lastTime = 0;
    for (unsigned long long i = 0; i < 30; ++i) {
        TakenFrame frame;
        ASSERT_EQ(Take(&frame), RC_SUCCESS);
        const ZOQSTREAM_FRAME& r = frame.record;
        ASSERT_EQ(r.status, RC_SUCCESS);
        EXPECT_EQ(r.sequence, i);
        EXPECT_GT(r.timestampNs, lastTime);
        lastTime = r.timestampNs;
        EXPECT_EQ(r.format, ZOQSTREAM_FORMAT_RAW);
        EXPECT_EQ(r.width, kWidth);
        EXPECT_EQ(r.height, kHeight);
        EXPECT_EQ(r.bitCount, 8);
        ASSERT_EQ(r.bytes, kWidth * kHeight);
        EXPECT_EQ(frame.data, expected) << "frame " << i;
    }
    ASSERT_EQ(ZOQStream_Stop(m_stream), RC_SUCCESS);
    const ZOQSTREAM_STATS stats = Stats();
    EXPECT_EQ(stats.delivered, 30u);
    EXPECT_EQ(stats.failed, 0u);
    EXPECT_GT(stats.framesPerSecond, 0.0);
    EXPECT_GT(stats.bytesPerSecond, stats.framesPerSecond * kWidth * kHeight * 0.99);
    // Four buffers of one raw frame each.
    EXPECT_GE(stats.bufferBytes, 4u * kWidth * kHeight);
    // What the stream read beyond the frames taken waits or was dropped.
    TakenFrame rest;
    unsigned long long taken = 30;
    while (Take(&rest, 0) == RC_SUCCESS) ++taken;
    const ZOQSTREAM_STATS end = Stats();
    EXPECT_EQ(end.delivered + end.failed + end.dropped, Camera().framesTriggered());
    EXPECT_EQ(end.delivered, taken);
}

TEST_F(Stream, ProcessedFramesAreThoseOfSingleCaptures) {
    ZOQ_BayerSetMode(0, ZOQ_BAYER_RGGB_32_TOPDOWN);
    ASSERT_EQ(ZOQ_ProcessSaturationSet(0, 150), RC_SUCCESS);
    std::vector<unsigned char> single(kWidth * kHeight * 4);
    ASSERT_EQ(ZOQ_CaptureRgbData(0, single.data()), RC_SUCCESS);

    OpenStream(Config(ZOQSTREAM_FORMAT_PROCESSED, 3, ZOQSTREAM_DROP_OLDEST));
    ASSERT_EQ(ZOQStream_Start(m_stream), RC_SUCCESS);
    for (int i = 0; i < 5; ++i) {
        TakenFrame frame;
        ASSERT_EQ(Take(&frame), RC_SUCCESS);
        ASSERT_EQ(frame.record.status, RC_SUCCESS);
        EXPECT_EQ(frame.record.format, ZOQSTREAM_FORMAT_PROCESSED);
        EXPECT_EQ(frame.record.bitCount, 32);
        EXPECT_EQ(frame.record.bayerMode, ZOQ_BAYER_RGGB_32_TOPDOWN);
        EXPECT_EQ(frame.data, single) << "frame " << i;
    }
}

// A change of row order while frames wait: each frame says the mode it was
// laid out in, and one read before the change is failed, never flipped.
TEST_F(Stream, EveryFrameCarriesTheModeItWasProcessedIn) {
    ZOQ_BayerSetMode(0, ZOQ_BAYER_RGGB_24_BOTTOMUP);
    std::vector<unsigned char> bottomUp(kWidth * kHeight * 3), topDown(bottomUp.size());
    ASSERT_EQ(ZOQ_CaptureRgbData(0, bottomUp.data()), RC_SUCCESS);
    ZOQ_BayerSetMode(0, ZOQ_BAYER_RGGB_24_TOPDOWN);
    ASSERT_EQ(ZOQ_CaptureRgbData(0, topDown.data()), RC_SUCCESS);
    ZOQ_BayerSetMode(0, ZOQ_BAYER_RGGB_24_BOTTOMUP);

    OpenStream(Config(ZOQSTREAM_FORMAT_PROCESSED, 4, ZOQSTREAM_BLOCK));
    ASSERT_EQ(ZOQStream_Start(m_stream), RC_SUCCESS);
    int changedAt = -1, newModeFrames = 0;
    for (int i = 0; i < 12; ++i) {
        TakenFrame frame;
        ASSERT_EQ(Take(&frame), RC_SUCCESS);
        if (i == 3) {
            ZOQ_BayerSetMode(0, ZOQ_BAYER_RGGB_24_TOPDOWN);
            changedAt = i;
        }
        if (frame.record.status != RC_SUCCESS) {
            EXPECT_EQ(frame.record.status, RC_BAD_FRAME) << "frame " << i;
            continue;
        }
        const bool top = frame.record.bayerMode == ZOQ_BAYER_RGGB_24_TOPDOWN;
        ASSERT_TRUE(top || frame.record.bayerMode == ZOQ_BAYER_RGGB_24_BOTTOMUP);
        EXPECT_EQ(frame.data, top ? topDown : bottomUp) << "frame " << i;
        if (top) {
            EXPECT_GT(i, changedAt) << "a frame in the new mode before the change";
            ++newModeFrames;
        }
    }
    EXPECT_GE(newModeFrames, 4);
}

// Frames handed to a callback, which may call the camera itself.
struct Received {
    std::mutex lock;
    std::vector<unsigned long long> sequences;
    int exposureReads = 0;
    bool dataWhenGood = true;
};

void OnFrame(const ZOQSTREAM_FRAME* frame, void* context) {
    auto* received = static_cast<Received*>(context);
    float ms = 0.0f;
    bool read = ZOQ_ExposureTimeGet(0, &ms) == RC_SUCCESS;
    std::lock_guard<std::mutex> lock(received->lock);
    received->sequences.push_back(frame->sequence);
    received->exposureReads += read ? 1 : 0;
    if (frame->status == RC_SUCCESS && frame->data == nullptr) received->dataWhenGood = false;
}

TEST_F(Stream, ACallbackGetsEveryFrameInOrder) {
    Received received;
    ZOQSTREAM_CONFIG config = Config(ZOQSTREAM_FORMAT_PROCESSED, 3, ZOQSTREAM_BLOCK);
    config.callback = OnFrame;
    config.context = &received;
    OpenStream(config);
    ASSERT_EQ(ZOQStream_Start(m_stream), RC_SUCCESS);
    ZOQSTREAM_FRAME* frame = nullptr;
    EXPECT_EQ(ZOQStream_WaitFrame(m_stream, 10, &frame), RC_ILLEGAL_OPERATION);
    for (int wait = 0; wait < 500; ++wait) {
        {
            std::lock_guard<std::mutex> lock(received.lock);
            if (received.sequences.size() >= 10) break;
        }
        usleep(10000);
    }
    ASSERT_EQ(ZOQStream_Stop(m_stream), RC_SUCCESS);
    std::lock_guard<std::mutex> lock(received.lock);
    ASSERT_GE(received.sequences.size(), 10u);
    for (size_t i = 0; i < received.sequences.size(); ++i) EXPECT_EQ(received.sequences[i], i);
    EXPECT_EQ(received.exposureReads, static_cast<int>(received.sequences.size()));
    EXPECT_TRUE(received.dataWhenGood);
    EXPECT_EQ(Stats().delivered, received.sequences.size());
}

TEST_F(Stream, TheInterfaceRefusesWhatItCannotDo) {
    ZOQSTREAM_CONFIG config = Config(ZOQSTREAM_FORMAT_RAW, 4, ZOQSTREAM_BLOCK);
    ZOQSTREAM* stream = nullptr;
    for (ZOQSTREAM_CONFIG bad :
         {Config(2, 4, 0), Config(0, 1, 0), Config(0, 65, 0), Config(0, 4, 2), Config(-1, 4, 0)})
        EXPECT_EQ(ZOQStream_Open(0, &bad, &stream), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQStream_Open(0, nullptr, &stream), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQStream_Open(0, &config, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQStream_Open(5, &config, &stream), RC_FAIL);  // no such camera
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(ZOQStream_ConfigInit(nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQStream_Start(nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQStream_Close(nullptr), RC_PARAMETER_ERROR);

    OpenStream(config);
    ZOQSTREAM_FRAME* frame = nullptr;
    EXPECT_EQ(ZOQStream_WaitFrame(m_stream, 10, &frame), RC_ILLEGAL_OPERATION);  // not started
    EXPECT_EQ(ZOQStream_Stop(m_stream), RC_SUCCESS);                             // nothing to stop
    ASSERT_EQ(ZOQStream_Start(m_stream), RC_SUCCESS);
    EXPECT_EQ(ZOQStream_Start(m_stream), RC_ILLEGAL_OPERATION);
    EXPECT_EQ(ZOQStream_WaitFrame(m_stream, 10, nullptr), RC_PARAMETER_ERROR);
    ASSERT_EQ(ZOQStream_WaitFrame(m_stream, 5000, &frame), RC_SUCCESS);
    ZOQSTREAM_FRAME copy = *frame;
    EXPECT_EQ(ZOQStream_ReleaseFrame(m_stream, &copy), RC_PARAMETER_ERROR);  // not the stream's
    EXPECT_EQ(ZOQStream_ReleaseFrame(m_stream, frame), RC_SUCCESS);
    EXPECT_EQ(ZOQStream_ReleaseFrame(m_stream, frame), RC_PARAMETER_ERROR);  // given back already
}

TEST_F(Stream, AWaitTimesOutWhileTheFrameIsStillOnItsWay) {
    m_camera->setBulkBandwidth(1e6);  // a frame takes 77 ms
    OpenStream(Config(ZOQSTREAM_FORMAT_RAW, 2, ZOQSTREAM_BLOCK));
    ASSERT_EQ(ZOQStream_Start(m_stream), RC_SUCCESS);
    ZOQSTREAM_FRAME* frame = nullptr;
    EXPECT_EQ(ZOQStream_WaitFrame(m_stream, 10, &frame), RC_TIMEOUT);
    EXPECT_EQ(frame, nullptr);
    TakenFrame taken;
    ASSERT_EQ(Take(&taken), RC_SUCCESS);
    EXPECT_EQ(taken.record.status, RC_SUCCESS);
}

}  // namespace
