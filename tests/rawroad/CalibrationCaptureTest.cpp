// The calibration map as the last stage of RGB captures on a simulated
// MT9P031: which captures it remaps and how.
#include <gtest/gtest.h>

#include <vector>

#include "SimulatedCameraTest.h"
#include "TempFile.h"
#include "calibration/ZOQDevice_Custom_Calibration_Map.h"

namespace {

using rawroadtest::IdentityMapFile;
using rawroadtest::MapFile;
using rawroadtest::TempFile;

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// Every pixel from one column to the right and half a row down; the last
// column and row point outside.
std::vector<unsigned char> ShiftMapFile() {
    std::vector<uint16_t> columns, rows, columnFractions, rowFractions;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            columns.push_back(static_cast<uint16_t>(x + 1));
            columnFractions.push_back(0);
            rows.push_back(static_cast<uint16_t>(y));
            rowFractions.push_back(512);
        }
    return MapFile(kWidth, kHeight, columns, columnFractions, rows, rowFractions);
}

class Calibration : public zoqtest::SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        Attach(52);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        ASSERT_EQ(ZOQ_CaptureSetFieldOfView(0, 200, 300, kWidth, kHeight, ZOQ_ADDRESSMODE_NORMAL,
                                            ZOQ_ADDRESSMODE_NORMAL),
                  RC_SUCCESS);
    }

    static std::vector<unsigned char> Rgb() {
        int bits = 0;
        ZOQ_CaptureGetSizeEx(0, nullptr, nullptr, &bits);
        std::vector<unsigned char> image(size_t(kWidth) * kHeight * bits / 8, 0x5A);
        EXPECT_EQ(ZOQ_CaptureRgbData(0, image.data()), RC_SUCCESS);
        return image;
    }

    // The image without the remap, and the remap done here on it.
    static std::vector<unsigned char> Remapped(const std::vector<unsigned char>& file,
                                               ZOQ_MAPMODE mode, int bytesPerPixel) {
        ZOQ_CaptureSetCalibration(0, false);
        std::vector<unsigned char> image = Rgb();
        ZOQ_CaptureSetCalibration(0, true);
        TempFile map(file);
        ZoqCalibrationMap reference;
        EXPECT_EQ(reference.Load(map.path()), RC_SUCCESS);
        reference.mode = mode;
        EXPECT_TRUE(reference.Remap(image.data(), kWidth, kHeight, bytesPerPixel));
        return image;
    }
};

TEST_F(Calibration, AnEnabledMapMovesThePixelsOfEveryColourCapture) {
    TempFile map(ShiftMapFile());
    ASSERT_EQ(ZOQ_LoadCalibrationMapFile(0, map.path()), RC_SUCCESS);
    const std::vector<unsigned char> unmapped = Rgb();  // not enabled yet
    for (ZOQ_BAYERMODE mode :
         {ZOQ_BAYER_RGGB_24_BOTTOMUP, ZOQ_BAYER_RGGB_32_TOPDOWN, ZOQ_BAYER_RGGB_GRAY_BOTTOMUP}) {
        ZOQ_BayerSetMode(0, mode);
        const int bytes = mode == ZOQ_BAYER_RGGB_24_BOTTOMUP ? 3
                          : mode == ZOQ_BAYER_RGGB_32_TOPDOWN ? 4
                                                              : 1;
        for (ZOQ_MAPMODE mapMode : {ZOQ_MAPMODE_BILINEAR, ZOQ_MAPMODE_NEAREST}) {
            ASSERT_EQ(ZOQ_SetCalibrationMapMode(0, mapMode), RC_SUCCESS);
            std::vector<unsigned char> expected = Remapped(ShiftMapFile(), mapMode, bytes);
            EXPECT_EQ(Rgb(), expected) << "Bayer mode " << mode << ", map mode " << mapMode;
        }
    }
    ZOQ_BAYERMODE initial = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    ZOQ_BayerGetDefaultMode(0, &initial);
    ZOQ_BayerSetMode(0, initial);
    ZOQ_CaptureSetCalibration(0, false);
    EXPECT_EQ(Rgb(), unmapped);
}

TEST_F(Calibration, TheIdentityMapChangesNothing) {
    const std::vector<unsigned char> unmapped = Rgb();
    TempFile map(IdentityMapFile(kWidth, kHeight));
    ASSERT_EQ(ZOQ_LoadCalibrationMapFile(0, map.path()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetCalibration(0, true), RC_SUCCESS);
    EXPECT_EQ(Rgb(), unmapped);
}

TEST_F(Calibration, OnlyAMapOfTheFramesSizeAndTheCaptureSwitchCount) {
    const std::vector<unsigned char> unmapped = Rgb();
    TempFile wrongSize(IdentityMapFile(kWidth / 2, kHeight));
    ASSERT_EQ(ZOQ_LoadCalibrationMapFile(0, wrongSize.path()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetCalibration(0, true), RC_SUCCESS);
    EXPECT_EQ(Rgb(), unmapped);
    TempFile shift(ShiftMapFile());
    ASSERT_EQ(ZOQ_LoadCalibrationMapFile(0, shift.path()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetCalibration(0, false), RC_SUCCESS);
    ASSERT_EQ(ZOQ_PreviewSetCalibration(0, true), RC_SUCCESS);
    EXPECT_EQ(Rgb(), unmapped);
    bool on = false;
    ASSERT_EQ(ZOQ_PreviewGetCalibration(0, &on), RC_SUCCESS);
    EXPECT_TRUE(on);
    ASSERT_EQ(ZOQ_CaptureGetCalibration(0, &on), RC_SUCCESS);
    EXPECT_FALSE(on);
    // Dropping the map: nothing to remap with.
    ASSERT_EQ(ZOQ_CaptureSetCalibration(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_LoadCalibrationMapFile(0, nullptr), RC_SUCCESS);
    EXPECT_EQ(Rgb(), unmapped);
}

TEST_F(Calibration, MapFilesAreCheckedBeforeTheyReplaceTheMap) {
    TempFile shift(ShiftMapFile());
    ASSERT_EQ(ZOQ_LoadCalibrationMapFile(0, shift.path()), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureSetCalibration(0, true), RC_SUCCESS);
    const std::vector<unsigned char> shifted = Rgb();
    std::vector<unsigned char> bytes = IdentityMapFile(kWidth, kHeight);
    bytes[2] = 0x00;
    bytes[3] = 0x02;  // version 0x0200
    TempFile version(bytes);
    EXPECT_EQ(ZOQ_LoadCalibrationMapFile(0, version.path()), RC_VERSION_ERROR);
    EXPECT_EQ(ZOQ_LoadCalibrationMapFile(0, "/nonexistent/zoq_map"), RC_FAIL);
    EXPECT_EQ(Rgb(), shifted);
    ZOQ_MAPMODE mode = ZOQ_MAPMODE_NEAREST;
    ASSERT_EQ(ZOQ_GetCalibrationMapMode(0, &mode), RC_SUCCESS);
    EXPECT_EQ(mode, ZOQ_MAPMODE_BILINEAR);
}

}  // namespace
