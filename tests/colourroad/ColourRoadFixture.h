// A simulated MT9P031 colour camera looking at the whole scene through a
// small frame (every fourth pixel), and RGB captures paired with the plain
// demosaic of the raw frame behind them.
#pragma once

#include <vector>

#include "SimulatedCameraTest.h"
#include "zoqbayer.h"

namespace colourroad {

using Image = std::vector<unsigned char>;

class ColourRoad : public zoqtest::SimulatedCameraTest {
protected:
    static constexpr int kWidth = 648;
    static constexpr int kHeight = 486;

    // Opens a colour camera (type 52) with the given FPGA version (-1: the
    // model's default, which has the camera-side colour features).
    void Open(int fpgaVersion = -1) {
        zoqsim::CameraConfig config;
        config.deviceType = 52;
        config.fpgaVersion = fpgaVersion;
        m_camera = &Attach(config);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 0, 0, 2592, 1944, ZOQ_ADDRESSMODE_STEP4,
                                            ZOQ_ADDRESSMODE_STEP4),
                  RC_SUCCESS);
        int width = 0, height = 0;
        ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
        ASSERT_EQ(width, kWidth);
        ASSERT_EQ(height, kHeight);
        ZOQ_BAYERMODE mode = ZOQ_BAYER_BGGR_24_BOTTOMUP;
        ASSERT_EQ(ZOQ_BayerGetDefaultMode(0, &mode), RC_SUCCESS);
        m_pattern = static_cast<int>(mode) & 3;
    }

    zoqsim::CameraModel& Camera() { return Model(*m_camera); }

    // 24-bit (or with thirtyTwo 32-bit) bottom-up output of the camera's
    // own pattern.
    void UseOutput(bool thirtyTwo) {
        m_bytes = thirtyTwo ? 4 : 3;
        ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(m_pattern + (thirtyTwo ? 8 : 0)));
    }

    // One RGB capture; *plain receives the demosaic of its raw frame alone.
    Image Shot(Image* plain = nullptr, int width = kWidth, int height = kHeight) {
        Image image(std::size_t(width) * height * m_bytes, 0x5A);
        EXPECT_EQ(ZOQ_CaptureRgbData(0, image.data()), RC_SUCCESS);
        if (plain != nullptr) {
            Image raw = Camera().lastDeliveredFrame();
            using Routine = int (*)(unsigned char*, int, int, unsigned char*, unsigned short);
            const Routine routines[4] = {ZOQCFA_FastBilinear_BGGR_Flip, ZOQCFA_FastBilinear_GRBG_Flip,
                                         ZOQCFA_FastBilinear_RGGB_Flip, ZOQCFA_FastBilinear_GBRG_Flip};
            plain->assign(image.size(), 0x5A);
            routines[m_pattern](raw.data(), width, height, plain->data(),
                                static_cast<unsigned short>(m_bytes * 8));
        }
        return image;
    }

    zoqsim::SimDevice* m_camera = nullptr;
    int m_pattern = 0;
    int m_bytes = 3;
};

}  // namespace colourroad
