// The order of the stages on both roads: several stages on at once, whose
// results depend on their order, against each stage's rule applied here one
// after the other on the frame the camera sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "../colourroad/ColourReference.h"
#include "../colourroad/HslReference.h"
#include "SimulatedCameraTest.h"
#include "TempFile.h"
#include "zoqbayer.h"

namespace {

using Bytes = std::vector<unsigned char>;
using rawroadtest::Le32;
using rawroadtest::LeFloat;
using rawroadtest::MapFile;
using rawroadtest::TempFile;

// Bad pixels with the default thresholds 12 and 24, in place, row by row.
void CorrectBadPixels(Bytes& frame, int width, int height) {
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &frame[size_t(y) * width];
        for (int x = 4; x <= width - 5; ++x) {
            const int p = row[x];
            if (p - row[x - 4] > 24 && p - row[x + 4] > 24 && p - row[x - 2] > 12 &&
                p - row[x + 2] > 12)
                row[x] = std::max(row[x - 2], row[x + 2]);
        }
    }
}

// Contrast c, then brightness b (neither 0): plain integer arithmetic.
unsigned char Tone(unsigned char s, int c, int b) {
    int d = (s - 128) * (c + 128) / 128;
    int v = d < -128 ? 0 : std::min(255, 128 + d);
    return static_cast<unsigned char>(std::min(255, v * (b + 128) / 128));
}

unsigned char FlatField(unsigned char s, unsigned char dark, float gain) {
    const float v = static_cast<float>(s - dark) * gain + 0.5f;
    return v > 255.0f ? 255 : v < 0.0f ? 0 : static_cast<unsigned char>(v);
}

class StageOrder : public zoqtest::SimulatedCameraTest {};

TEST_F(StageOrder, RawRoadCorrectsBadPixelsThenTonesThenFlatField) {
    constexpr int kWidth = 320, kHeight = 240;
    zoqsim::CameraConfig config;
    config.deviceType = 52;
    config.fpgaVersion = 0x0200;  // no camera-side bad pixel correction
    zoqsim::SimDevice& camera = Attach(config);
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
    // A window with one of the scene's hot pixels in it.
    ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 64, 32, kWidth, kHeight, ZOQ_ADDRESSMODE_NORMAL,
                                        ZOQ_ADDRESSMODE_NORMAL),
              RC_SUCCESS);
    int columnStart = 0, rowStart = 0, columnSize = 0, rowSize = 0;
    ASSERT_EQ(ZOQ_CaptureGetFieldOfView(0, &columnStart, &rowStart, &columnSize, &rowSize, nullptr,
                                        nullptr),
              RC_SUCCESS);

    // Flat-field data for this window: dark 8, gain 1.25.
    const int n = kWidth * kHeight;
    Bytes file;
    for (int v : {columnStart, columnSize, rowStart, rowSize, 0, 0, 1, kWidth, kHeight, n, n})
        Le32(file, uint32_t(v));
    file.resize(file.size() + n, 8);
    for (int i = 0; i < n; ++i) LeFloat(file, 1.25f);
    TempFile data(file);
    ASSERT_EQ(ZOQ_LoadFlatFieldCorrection(0, data.mutablePath()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetFlatFieldCorrection(0, true), RC_SUCCESS);
    // A flattening contrast hides the hot pixel from a correction after it.
    ASSERT_EQ(ZOQ_BadPixelCorrectionSet(0, true, ZOQ_THRESHOLD_LOW), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessContrastSet(0, -120), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessBrightnessSet(0, 30), RC_SUCCESS);

    Bytes frame(n);
    ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
    Bytes expected = Model(camera).lastDeliveredFrame();
    ASSERT_EQ(expected.size(), frame.size());
    const Bytes sent = expected;
    CorrectBadPixels(expected, kWidth, kHeight);
    ASSERT_NE(expected, sent) << "no hot pixel in the window";
    for (unsigned char& s : expected) s = FlatField(Tone(s, -120, 30), 8, 1.25f);
    EXPECT_EQ(frame, expected);
}

// Bilinear calibration remap of an image of bpp-byte pixels, by the rule:
// fractions in 1/1024, integer arithmetic, a floor shift by 20 bits.
Bytes Remap(const Bytes& image, int width, int height, int bpp, const std::vector<uint16_t>& fx,
            const std::vector<uint16_t>& fy) {
    Bytes out = image;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t k = size_t(y) * width + x;
            unsigned char* o = &out[k * bpp];
            const unsigned char* p = &image[k * bpp];
            if (x == width - 1 || y == height - 1) continue;  // copied as it is
            for (int c = 0; c < 3; ++c) {
                const int32_t p00 = p[c], p01 = p[c + bpp], p10 = p[c + width * bpp],
                              p11 = p[c + width * bpp + bpp];
                const int32_t f = fx[k], g = fy[k];
                const int32_t v = p00 * (1 << 20) + (p01 - p00) * f * 1024 +
                                  (p10 - p00) * g * 1024 + (p00 - p01 - p10 + p11) * f * g;
                o[c] = static_cast<unsigned char>(v >> 20);
            }
        }
    return out;
}

TEST_F(StageOrder, ColourRoadBalancesCorrectsSaturatesThenRemaps) {
    constexpr int kWidth = 648, kHeight = 486;
    zoqsim::SimDevice& camera = Attach(52);
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
    ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 0, 0, 2592, 1944, ZOQ_ADDRESSMODE_STEP4,
                                        ZOQ_ADDRESSMODE_STEP4),
              RC_SUCCESS);
    ZOQ_BAYERMODE mode = ZOQ_BAYER_BGGR_24_BOTTOMUP;
    ASSERT_EQ(ZOQ_BayerGetDefaultMode(0, &mode), RC_SUCCESS);
    const int pattern = static_cast<int>(mode) & 3;
    ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(pattern));  // 24-bit, bottom-up

    // Gains and a matrix that do not commute (the matrix swaps channels),
    // saturation, and a remap that blends neighbours.
    float gains[3] = {2.0f, 0.5f, 1.5f};
    float matrix[3][3] = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    ASSERT_EQ(ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL), RC_SUCCESS);
    ASSERT_EQ(ZOQ_WhiteBalanceMatrixSet(0, gains), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_MANUAL), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ColorCorrectionMatrixSet(0, matrix), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ProcessSaturationSet(0, 64), RC_SUCCESS);
    std::vector<uint16_t> columns, rows, fx, fy;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            columns.push_back(static_cast<uint16_t>(x));
            rows.push_back(static_cast<uint16_t>(y));
            fx.push_back(static_cast<uint16_t>((x * 37 + y) % 1024));
            fy.push_back(static_cast<uint16_t>((y * 53 + x) % 1024));
        }
    TempFile map(MapFile(kWidth, kHeight, columns, fx, rows, fy));
    ASSERT_EQ(ZOQ_LoadCalibrationMapFile(0, map.path()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetCalibration(0, true), RC_SUCCESS);

    Bytes image(size_t(kWidth) * kHeight * 3, 0x5A);
    ASSERT_EQ(ZOQ_CaptureRgbData(0, image.data()), RC_SUCCESS);
    Bytes raw = Model(camera).lastDeliveredFrame();
    using Routine = int (*)(unsigned char*, int, int, unsigned char*, unsigned short);
    const Routine routines[4] = {ZOQCFA_FastBilinear_BGGR_Flip, ZOQCFA_FastBilinear_GRBG_Flip,
                                 ZOQCFA_FastBilinear_RGGB_Flip, ZOQCFA_FastBilinear_GBRG_Flip};
    Bytes expected(image.size(), 0x5A);
    routines[pattern](raw.data(), kWidth, kHeight, expected.data(), 24);
    colourref::ApplyGains(expected, 3, gains);
    colourref::ApplyMatrix(expected, 3, matrix);
    colourref::ApplyPerPixel(expected, 3,
                             [](const COLOR_RGB& c) { return colourref::Saturate(1.5f, c); });
    expected = Remap(expected, kWidth, kHeight, 3, fx, fy);
    size_t differing = 0;
    for (size_t i = 0; i < image.size(); ++i) differing += image[i] != expected[i];
    EXPECT_EQ(differing, 0u);
}

}  // namespace
