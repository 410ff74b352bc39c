// Frames of 16-bit samples: every Bayer mode gives the nearest-neighbour
// demosaic of its row in the 16-bit table, in 16-bit words, and no stage of
// either road touches them, however many are switched on.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "SimulatedCameraTest.h"
#include "zoqbayer.h"

namespace {

using Words = std::vector<unsigned short>;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

using ColourRoutine = int (*)(unsigned short*, int, int, unsigned short*, unsigned short);
using GrayRoutine = int (*)(unsigned short*, int, int, unsigned short*);

// Patterns in mode order: BGGR, GRBG, RGGB, GBRG.
const ColourRoutine kTopDown[4] = {
    ZOQCFA_NearestNeighbor_BGGR_16Bits, ZOQCFA_NearestNeighbor_GRBG_16Bits,
    ZOQCFA_NearestNeighbor_RGGB_16Bits, ZOQCFA_NearestNeighbor_GBRG_16Bits};
const ColourRoutine kFlipped[4] = {
    ZOQCFA_NearestNeighbor_BGGR_Flip_16Bits, ZOQCFA_NearestNeighbor_GRBG_Flip_16Bits,
    ZOQCFA_NearestNeighbor_RGGB_Flip_16Bits, ZOQCFA_NearestNeighbor_GBRG_Flip_16Bits};

// What mode makes of raw: the routine of its row, into words pre-filled
// like the capture's buffer.
Words Expected(int mode, Words raw, size_t outWords) {
    Words out(outWords, 0x5A5A);
    if (mode >= 16) {
        const GrayRoutine gray = mode < 20 ? ZOQCFA_NearestNeighbor_RGGB_Gray_16Bits
                                           : ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits;
        gray(raw.data(), kWidth, kHeight, out.data());
        return out;
    }
    const bool flip = (mode & 4) != 0;
    const unsigned short bits = mode < 8 ? 24 : 32;
    (flip ? kFlipped : kTopDown)[mode & 3](raw.data(), kWidth, kHeight, out.data(), bits);
    return out;
}

class SixteenBitOutput : public zoqtest::SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        m_device = &Attach(52, 1);
        Model(*m_device).setFpgaRegister(0, 0x0010);  // 16-bit samples
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 0, 0, kWidth, kHeight, ZOQ_ADDRESSMODE_NORMAL,
                                            ZOQ_ADDRESSMODE_NORMAL),
                  RC_SUCCESS);
    }

    Words Delivered() {
        const std::vector<uint8_t> bytes = Model(*m_device).lastDeliveredFrame();
        Words words(bytes.size() / 2);
        memcpy(words.data(), bytes.data(), words.size() * 2);
        return words;
    }

    zoqsim::SimDevice* m_device = nullptr;
};

// Every stage of both roads on, each set so that it would change 8-bit data.
void EveryStageOn() {
    ASSERT_EQ(ZOQ_ProcessBrightnessSet(0, 40), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessContrastSet(0, 30), RC_SUCCESS);
    ASSERT_EQ(ZOQ_GammaSetValue(0, 20), RC_SUCCESS);
    ZOQ_BadPixelCorrectionSet(0, true, ZOQ_THRESHOLD_LOW);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL), RC_SUCCESS);
    float gains[3] = {2.0f, 0.5f, 1.5f};
    ASSERT_EQ(ZOQ_WhiteBalanceMatrixSet(0, gains), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_MANUAL), RC_SUCCESS);
    float matrix[3][3] = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    ASSERT_EQ(ZOQ_ColorCorrectionMatrixSet(0, matrix), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessSaturationSet(0, 60), RC_SUCCESS);
    ASSERT_EQ(ZOQ_HueSaturationSetEnable(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_HueSaturationSet(0, ZOQ_HUE_MASTER, 90, 0, 20), RC_SUCCESS);
}

TEST_F(SixteenBitOutput, EveryBayerModeIsItsPlainDemosaicWithEveryStageOn) {
    EveryStageOn();
    for (int mode = 0; mode < 24; ++mode) {
        ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(mode));
        const int channels = mode >= 16 ? 1 : mode >= 8 ? 4 : 3;
        const size_t outWords = size_t(kWidth) * kHeight * channels;
        Words rgb(outWords, 0x5A5A);
        ASSERT_EQ(ZOQ_CaptureRgbData(0, reinterpret_cast<unsigned char*>(rgb.data())), RC_SUCCESS)
            << "mode " << mode;
        EXPECT_TRUE(rgb == Expected(mode, Delivered(), outWords)) << "mode " << mode;
    }
}

TEST_F(SixteenBitOutput, TheRawRoadLeavesSixteenBitFramesAlone) {
    EveryStageOn();
    Words frame(size_t(kWidth) * kHeight, 0x5A5A);
    ASSERT_EQ(ZOQ_CaptureRawData(0, reinterpret_cast<unsigned char*>(frame.data())), RC_SUCCESS);
    EXPECT_EQ(frame, Delivered());
}

}  // namespace
