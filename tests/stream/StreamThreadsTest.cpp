// Streams sharing their camera with other threads: settings changed while
// frames flow, and two cameras streaming at once.
#include <atomic>
#include <thread>
#include <vector>

#include "StreamSupport.h"

namespace {

using zoqtest::TakenFrame;

class StreamThreads : public zoqtest::StreamTest {};

TEST_F(StreamThreads, FramesKeepTheirGeometryWhileTheWindowAndExposureChange) {
    zoqsim::SimDevice& camera = AttachCamera(8e6);
    Init();
    // The camera's frame for each of the two windows the test switches
    // between, at the two exposures.
    const int windows[2][4] = {{64, 32, kWidth, kHeight}, {0, 0, 160, 120}};
    const float exposures[2] = {8.0f, 16.0f};
    std::vector<unsigned char> expected[2][2];
    for (int w = 0; w < 2; ++w) {
        for (int e = 0; e < 2; ++e) {
            ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, windows[w][0], windows[w][1], windows[w][2],
                                                windows[w][3], ZOQ_ADDRESSMODE_NORMAL,
                                                ZOQ_ADDRESSMODE_NORMAL),
                      RC_SUCCESS);
            ASSERT_EQ(ZOQ_ExposureTimeSet(0, exposures[e]), RC_SUCCESS);
            expected[w][e] = Model(camera).renderFrame();
        }
    }
    ASSERT_NE(expected[1][0], expected[1][1]);
    OpenStream(Config(ZOQSTREAM_FORMAT_RAW, 3, ZOQSTREAM_BLOCK));
    ASSERT_EQ(ZOQStream_Start(m_stream), RC_SUCCESS);

    std::atomic<bool> done{false};
    std::thread settings([&] {
        for (int i = 0; !done; ++i) {
            const int* w = windows[i % 2];
            ZOQ_CaptureSetFieldOfView(0, w[0], w[1], w[2], w[3], ZOQ_ADDRESSMODE_NORMAL,
                                      ZOQ_ADDRESSMODE_NORMAL);
            ZOQ_ExposureTimeSet(0, exposures[(i / 2) % 2]);
            std::this_thread::sleep_for(std::chrono::milliseconds(8));
        }
    });
    int good = 0, discarded = 0;
    for (unsigned long long i = 0; i < 60; ++i) {
        TakenFrame frame;
        ASSERT_EQ(Take(&frame), RC_SUCCESS);
        EXPECT_EQ(frame.record.sequence, i);
        if (frame.record.status == RC_BAD_FRAME) {
            ++discarded;  // read under a window that changed before processing
            continue;
        }
        ASSERT_EQ(frame.record.status, RC_SUCCESS);
        // A good frame is whole and of the window it reports.
        const int w = frame.record.width == kWidth ? 0 : 1;
        ASSERT_EQ(frame.record.width, windows[w][2]);
        ASSERT_EQ(frame.record.height, windows[w][3]);
        EXPECT_TRUE(frame.data == expected[w][0] || frame.data == expected[w][1]) << "frame " << i;
        ++good;
    }
    done = true;
    settings.join();
    EXPECT_GT(good, 0);
    RecordProperty("discarded", discarded);
    EXPECT_EQ(Stats().discarded, static_cast<unsigned long long>(discarded));
}

TEST_F(StreamThreads, TwoCamerasStreamAtOnce) {
    zoqsim::SimDevice* cameras[2] = {&AttachCamera(0.0, 1), &AttachCamera(0.0, 2)};
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 2);
    ASSERT_EQ(Serial(0), 2);  // the camera plugged last comes first
    zoqsim::SimDevice* byIndex[2] = {cameras[1], cameras[0]};
    ZOQSTREAM* streams[2] = {nullptr, nullptr};
    std::vector<unsigned char> expected[2];
    for (int index = 0; index < 2; ++index) {
        SetSmallWindow(index);
        ASSERT_EQ(ZOQ_ExposureTimeSet(index, 6.0f + 8.0f * index), RC_SUCCESS);
        expected[index] = Model(*byIndex[index]).renderFrame();
        ZOQSTREAM_CONFIG config = Config(ZOQSTREAM_FORMAT_RAW, 3, ZOQSTREAM_BLOCK);
        ASSERT_EQ(ZOQStream_Open(index, &config, &streams[index]), RC_SUCCESS);
    }
    ASSERT_NE(expected[0], expected[1]);
    int good[2] = {0, 0};
    auto consume = [&](int index) {
        ZOQStream_Start(streams[index]);
        for (int i = 0; i < 25; ++i) {
            TakenFrame frame;
            if (Take(streams[index], &frame) != RC_SUCCESS) break;
            if (frame.record.status == RC_SUCCESS && frame.data == expected[index]) ++good[index];
        }
        ZOQStream_Close(streams[index]);
    };
    std::thread first(consume, 0);
    std::thread second(consume, 1);
    first.join();
    second.join();
    EXPECT_EQ(good[0], 25);
    EXPECT_EQ(good[1], 25);
}

}  // namespace
