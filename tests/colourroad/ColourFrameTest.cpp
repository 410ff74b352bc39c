// What each colour stage does to captured frames, against references worked
// out here from the raw frame the camera sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ColourReference.h"
#include "ColourRoadFixture.h"

namespace {

using colourroad::ColourRoad;
using colourroad::Image;

struct Reports {
    int calls = 0;
    float gains[3] = {0, 0, 0};
};

void OnGains(float* gains, void* context) {
    auto* r = static_cast<Reports*>(context);
    ++r->calls;
    std::copy(gains, gains + 3, r->gains);
}

void OnGainsEx(float red, float green, float blue, void* context) {
    auto* r = static_cast<Reports*>(context);
    ++r->calls;
    r->gains[0] = red, r->gains[1] = green, r->gains[2] = blue;
}

std::vector<float> Gains() {
    std::vector<float> gains(3);
    ZOQ_WhiteBalanceMatrixGet(0, gains.data());
    return gains;
}

class ColourFrames : public ColourRoad {
protected:
    void SetUp() override {
        ColourRoad::SetUp();
        Open();
        ZOQ_WhiteBalanceAutoSetCallBackEx(0, OnGainsEx, &m_reports);
    }

    // The reference of a measuring mode for the whole-window region rows
    // r0 .. r0 + h - 1: measured on the plain demosaic, then the gains.
    Image Measured(Image plain, int r0, int h, bool show, float gains[3]) {
        EXPECT_TRUE(colourref::Measure(plain, kWidth, 3, 0, r0, kWidth, h, 0, show, gains));
        colourref::ApplyGains(plain, 3, gains);
        return plain;
    }

    Reports m_reports;
};

TEST_F(ColourFrames, PresetAndApplicationGainsAreAppliedEveryFrameAndReportedOnce) {
    ASSERT_EQ(ZOQ_WhiteBalancePresettingSet(0, ZOQ_COLOR_TEMPRATURE_1), RC_SUCCESS);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_PRESET), RC_SUCCESS);
    std::vector<float> gains = Gains();
    for (int frame = 0; frame < 2; ++frame) {
        Image plain;
        Image image = Shot(&plain);
        colourref::ApplyGains(plain, 3, gains.data());
        EXPECT_EQ(image, plain) << "frame " << frame;
    }
    EXPECT_EQ(m_reports.calls, 1);
    EXPECT_EQ(m_reports.gains[2], gains[2]);

    // The gains callback takes precedence over the three-value one.
    Reports first;
    ZOQ_WhiteBalanceAutoSetCallBack(0, OnGains, &first);
    ASSERT_EQ(ZOQ_WhiteBalancePresettingSet(0, ZOQ_COLOR_TEMPRATURE_0), RC_SUCCESS);
    Shot();
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(m_reports.calls, 1);

    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL), RC_SUCCESS);
    float mine[3] = {1.5f, 0.8f, 1.2f};
    ASSERT_EQ(ZOQ_WhiteBalanceMatrixSet(0, mine), RC_SUCCESS);
    Image plain;
    Image image = Shot(&plain);
    colourref::ApplyGains(plain, 3, mine);
    EXPECT_EQ(image, plain);
    EXPECT_EQ(first.calls, 1);  // the application's gains are not reported
}

TEST_F(ColourFrames, MeasuredOnceKeepsItsGainsAndContinuousMeasuresEveryFrame) {
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_AUTO_ONCE), RC_SUCCESS);
    Image plain;
    Image image = Shot(&plain);
    float once[3];
    EXPECT_EQ(image, Measured(plain, 0, kHeight, false, once));
    std::vector<float> gains = Gains();
    EXPECT_EQ(gains, std::vector<float>(once, once + 3));
    EXPECT_EQ(m_reports.calls, 1);

    Camera().setSensorRegister(0x2D, 12);  // the red gain to 1.5
    image = Shot(&plain);
    colourref::ApplyGains(plain, 3, once);
    EXPECT_EQ(image, plain);
    EXPECT_EQ(m_reports.calls, 1);

    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_AUTO_CONTINUOUS), RC_SUCCESS);
    image = Shot(&plain);
    float again[3];
    EXPECT_EQ(image, Measured(plain, 0, kHeight, false, again));
    // Red had the largest sum already and keeps gain 1; green and blue are
    // lifted to match the stronger red.
    EXPECT_EQ(again[0], 1.0f);
    EXPECT_GT(again[1], once[1] * 1.3f);
    EXPECT_GT(again[2], once[2] * 1.3f);
    Shot();
    EXPECT_EQ(m_reports.calls, 3);
    EXPECT_EQ(m_reports.gains[0], again[0]);
}

TEST_F(ColourFrames, TheShownRegionIsInvertedAndItsRowsCountFromTheBottom) {
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_AUTO_CONTINUOUS), RC_SUCCESS);
    ASSERT_EQ(ZOQ_AWBShowRegion(0, true), RC_SUCCESS);
    // The whole frame: buffer rows 0 .. H - 1, border rows 0 and H - 2.
    ASSERT_EQ(ZOQ_AWBSetRegion(0, 0, 0, kWidth, kHeight), RC_SUCCESS);
    Image plain;
    Image image = Shot(&plain);
    float gains[3];
    EXPECT_EQ(image, Measured(plain, 0, kHeight, true, gains));
    // Ten rows at the top of the picture are the last ten buffer rows.
    ASSERT_EQ(ZOQ_AWBSetRegion(0, 0, 0, kWidth, 10), RC_SUCCESS);
    image = Shot(&plain);
    EXPECT_EQ(image, Measured(plain, kHeight - 10, 10, true, gains));
    EXPECT_EQ(Gains(), std::vector<float>(gains, gains + 3));
    EXPECT_EQ(m_reports.calls, 2);
}

TEST_F(ColourFrames, NothingAbovePhiKeepsTheGainsAndTablesAndStillReportsThem) {
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL), RC_SUCCESS);
    float mine[3] = {1.25f, 1.0f, 0.75f};
    ASSERT_EQ(ZOQ_WhiteBalanceMatrixSet(0, mine), RC_SUCCESS);
    Shot();  // builds the tables of these gains
    ASSERT_EQ(ZOQ_WhiteBalanceAutoSet(0, 255), RC_SUCCESS);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_AUTO_CONTINUOUS), RC_SUCCESS);
    Image plain;
    Image image = Shot(&plain);
    colourref::ApplyGains(plain, 3, mine);
    EXPECT_EQ(image, plain);
    EXPECT_EQ(Gains(), std::vector<float>(mine, mine + 3));
    EXPECT_EQ(m_reports.calls, 1);
    EXPECT_EQ(m_reports.gains[0], 1.25f);
}

TEST_F(ColourFrames, CameraModesReadTheGainsBackAndLeaveTheImage) {
    const uint16_t registers[3] = {0x1400, 0x1000, 0x0C00};
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_HW_PRESET), RC_SUCCESS);
    for (int i = 0; i < 3; ++i) Camera().setFpgaRegister(16 + i, registers[i]);
    Image plain;
    EXPECT_EQ(Shot(&plain), plain);
    EXPECT_EQ(m_reports.calls, 1);
    EXPECT_EQ(m_reports.gains[0], 1.25f);
    EXPECT_EQ(m_reports.gains[2], 0.75f);
    EXPECT_EQ(Shot(&plain), plain);
    EXPECT_EQ(m_reports.calls, 1);

    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_HW_AUTO_CONTINUOUS), RC_SUCCESS);
    Shot();
    Camera().setFpgaRegister(16, 0x2000);
    Shot();
    EXPECT_EQ(m_reports.calls, 3);
    EXPECT_EQ(m_reports.gains[0], 2.0f);

    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_HW_MANUAL), RC_SUCCESS);
    EXPECT_EQ(Shot(&plain), plain);
    EXPECT_EQ(m_reports.calls, 3);
}

TEST_F(ColourFrames, ColourCorrectionAppliesTheMatrixOfTheSoftwareModes) {
    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_MANUAL), RC_SUCCESS);
    float identity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    ASSERT_EQ(ZOQ_ColorCorrectionMatrixSet(0, identity), RC_SUCCESS);
    Image plain;
    EXPECT_EQ(Shot(&plain), plain);

    float ones[3][3] = {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}};
    ASSERT_EQ(ZOQ_ColorCorrectionMatrixSet(0, ones), RC_SUCCESS);
    Image image = Shot(&plain);
    for (std::size_t i = 0; i < plain.size(); i += 3) {
        const int sum = std::min(255, plain[i] + plain[i + 1] + plain[i + 2]);
        ASSERT_TRUE(image[i] == sum && image[i + 1] == sum && image[i + 2] == sum) << i;
    }

    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_PRESET), RC_SUCCESS);
    float preset[3][3];
    ZOQ_ColorCorrectionMatrixGet(0, preset);
    image = Shot(&plain);
    colourref::ApplyMatrix(plain, 3, preset);
    EXPECT_EQ(image, plain);

    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_HW_PRESET), RC_SUCCESS);
    EXPECT_EQ(Shot(&plain), plain);
}

TEST_F(ColourFrames, SaturationMinus128GivesGrayAndHueSettingsOfZeroKeepTheColours) {
    ASSERT_EQ(ZOQ_ProcessSaturationSet(0, -128), RC_SUCCESS);
    Image plain;
    Image image = Shot(&plain);
    for (std::size_t i = 0; i < plain.size(); i += 3) {
        const float max = std::max({plain[i], plain[i + 1], plain[i + 2]}) / 255.0f;
        const float min = std::min({plain[i], plain[i + 1], plain[i + 2]}) / 255.0f;
        const auto l = static_cast<unsigned char>((max + min) / 2.0f * 255.0f);
        ASSERT_TRUE(image[i] == l && image[i + 1] == l && image[i + 2] == l) << i;
    }
    ASSERT_EQ(ZOQ_ProcessSaturationSet(0, 0), RC_SUCCESS);
    EXPECT_EQ(Shot(&plain), plain);

    ASSERT_EQ(ZOQ_HueSaturationSetEnable(0, true), RC_SUCCESS);
    image = Shot(&plain);
    int far = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) far += std::abs(image[i] - plain[i]) > 1;
    EXPECT_EQ(far, 0);
    for (int range = ZOQ_HUE_MASTER; range <= ZOQ_HUE_MAGENTA; ++range)
        ASSERT_EQ(ZOQ_HueSaturationSet(0, static_cast<ZOQHueRange>(range), 0, 0, -100), RC_SUCCESS);
    EXPECT_EQ(Shot(), Image(plain.size(), 0));  // lightness -100 everywhere: black
}

// Every colour stage switched on in a way that changes 24-bit pixels.
void EveryStageOn() {
    ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL);
    float gains[3] = {2.0f, 0.5f, 1.5f};
    ZOQ_WhiteBalanceMatrixSet(0, gains);
    ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_MANUAL);
    float matrix[3][3] = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    ZOQ_ColorCorrectionMatrixSet(0, matrix);
    ZOQ_ProcessSaturationSet(0, 60);
    ZOQ_HueSaturationSetEnable(0, true);
    ZOQ_HueSaturationSet(0, ZOQ_HUE_MASTER, 90, 0, 20);
}

TEST_F(ColourFrames, GrayOutputAndModesWithoutABitCountAreNeverTouched) {
    EveryStageOn();
    ASSERT_EQ(ZOQ_BayerSetMode(0, ZOQ_BAYER_BGGR_GRAY_BOTTOMUP), RC_NOT_SUPPORTED);
    Image image(kWidth * kHeight, 0x5A);
    ASSERT_EQ(ZOQ_CaptureRgbData(0, image.data()), RC_SUCCESS);
    Image raw = Camera().lastDeliveredFrame();
    Image expected(image.size());
    ZOQCFA_NearestNeighbor_RGGB_Gray_Flip(raw.data(), kWidth, kHeight, expected.data());
    EXPECT_EQ(image, expected);

    ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(24));
    image.assign(kWidth * kHeight * 3, 0x5A);
    ASSERT_EQ(ZOQ_CaptureRgbData(0, image.data()), RC_SUCCESS);
    EXPECT_EQ(image, Image(image.size(), 0x5A));
}

TEST_F(ColourFrames, ThirtyTwoBitOutputKeepsItsFourthByte) {
    EveryStageOn();
    UseOutput(true);
    Image plain;
    Image image = Shot(&plain);
    int changed = 0;
    for (std::size_t i = 0; i < plain.size(); i += 4) {
        ASSERT_EQ(image[i + 3], plain[i + 3]) << i;
        changed += image[i] != plain[i];
    }
    EXPECT_GT(changed, 0);
}

}  // namespace

namespace {

// Mean B, G, R of an 8 x 8 block at the centre of a gray patch of the
// scene's colour chart (bottom row, patches 0-3: the four lighter grays).
std::vector<float> GrayPatch(const Image& image, int patch, int width, int height) {
    const int cx = static_cast<int>((0.05 + 0.9 * (patch + 0.5) / 6) * width);
    const int cy = static_cast<int>((0.05 + 0.53 * 3.5 / 4) * height);
    const int row0 = height - 1 - cy;  // bottom-up output
    std::vector<float> mean(3, 0.0f);
    for (int y = row0 - 4; y < row0 + 4; ++y)
        for (int x = cx - 4; x < cx + 4; ++x)
            for (int c = 0; c < 3; ++c) mean[c] += image[(std::size_t(y) * width + x) * 3 + c] / 64.0f;
    return mean;
}

TEST_F(ColourFrames, AutoWhiteBalanceOnceMakesTheChartsGrayPatchesGray) {
    Camera().setSensorRegister(0x2D, 12);  // red gain 1.5
    Camera().setSensorRegister(0x2C, 6);   // blue gain 0.75
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_OFF), RC_SUCCESS);
    Image tinted = Shot();
    for (int patch = 0; patch < 4; ++patch) {
        std::vector<float> bgr = GrayPatch(tinted, patch, kWidth, kHeight);
        EXPECT_GT(bgr[2] - bgr[1], 10.0f) << patch;
        EXPECT_GT(bgr[1] - bgr[0], 5.0f) << patch;
    }
    // Measured over the chart's row of grays, as on a gray card.
    const int top = static_cast<int>((0.05 + 0.53 * 3.1 / 4) * kHeight);
    ASSERT_EQ(ZOQ_AWBSetRegion(0, kWidth / 10, top, kWidth * 8 / 10, kHeight / 10), RC_SUCCESS);
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_AUTO_ONCE), RC_SUCCESS);
    Shot();
    Image balanced = Shot();  // the gains of the first frame, kept
    for (int patch = 0; patch < 4; ++patch) {
        std::vector<float> bgr = GrayPatch(balanced, patch, kWidth, kHeight);
        EXPECT_NEAR(bgr[2], bgr[1], 2.0f) << patch;
        EXPECT_NEAR(bgr[0], bgr[1], 2.0f) << patch;
    }
    EXPECT_EQ(m_reports.calls, 1);
}

}  // namespace
