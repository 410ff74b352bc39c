// The HSL conversions and the saturation and hue/saturation/lightness
// cubes, tested on the stage classes directly.
#include <gtest/gtest.h>

#include <cstdlib>

#include "colourroad/ZOQDevice_ColourConvert.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "zoq_errors.h"
#include "zoq_types.h"

namespace {

COLOR_RGB Bgr(int b, int g, int r) {
    return COLOR_RGB{static_cast<unsigned char>(b), static_cast<unsigned char>(g),
                     static_cast<unsigned char>(r)};
}

const unsigned char* Entry(const ZoqColourCube& cube, int b, int g, int r) {
    return cube.Data() + ((std::size_t(b) * 256 + g) * 256 + r) * 3;
}

::testing::AssertionResult SameColour(const COLOR_RGB& got, int b, int g, int r) {
    if (got.b == b && got.g == g && got.r == r) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << int(got.b) << ", " << int(got.g) << ", "
                                         << int(got.r) << "), want (" << b << ", " << g << ", "
                                         << r << ")";
}

TEST(HslConversions, TheCompiledByteScaleIsTheRunTimeQuotient) {
    for (volatile int i = 0; i < 256; ++i)
        ASSERT_EQ(zoqcolour::kUnit.of[i], static_cast<float>(i) / 255.0f) << i;
}

TEST(HslConversions, DegreesAndTurnsOfThePrimaries) {
    struct Case {
        COLOR_RGB rgb;
        float degrees, s, l;
    } cases[] = {{Bgr(0, 0, 255), 0, 1, 0.5f},    {Bgr(0, 255, 0), 120, 1, 0.5f},
                 {Bgr(255, 0, 0), 240, 1, 0.5f},  {Bgr(255, 0, 255), 300, 1, 0.5f},
                 {Bgr(0, 255, 255), 60, 1, 0.5f}, {Bgr(51, 51, 51), 0, 0, 0.2f}};
    for (const Case& c : cases) {
        COLOR_HSL one, two;
        RGBtoHSL1(c.rgb, one);
        RGBtoHSL2(c.rgb, two);
        EXPECT_FLOAT_EQ(one.h, c.degrees);
        EXPECT_FLOAT_EQ(two.h, c.degrees / 360.0f);
        EXPECT_FLOAT_EQ(one.s, c.s);
        EXPECT_FLOAT_EQ(two.s, c.s);
        EXPECT_FLOAT_EQ(one.l, c.l);
        EXPECT_FLOAT_EQ(two.l, c.l);
        COLOR_RGB back1, back2;
        HSLtoRGB1(one, back1);
        HSLtoRGB2(two, back2);
        EXPECT_TRUE(SameColour(back1, c.rgb.b, c.rgb.g, c.rgb.r));
        EXPECT_TRUE(SameColour(back2, c.rgb.b, c.rgb.g, c.rgb.r));
    }
    // Single precision truncates gray, double precision rounds it.
    COLOR_RGB out;
    HSLtoRGB1(COLOR_HSL{0, 0, 0.5f}, out);
    EXPECT_TRUE(SameColour(out, 127, 127, 127));
    HSLtoRGB2(COLOR_HSL{0, 0, 0.5f}, out);
    EXPECT_TRUE(SameColour(out, 128, 128, 128));
    // Saturation above 1 (the saturation stage does not clamp): q = 1.27
    // clips to 255, p = 0.13 and the falling green edge stay in range.
    HSLtoRGB1(COLOR_HSL{200, 1.9f, 0.7f}, out);
    EXPECT_TRUE(SameColour(out, 255, 227, 33));
}

TEST(SaturationStage, SetterRulesAndLazyCube) {
    ZoqSaturation saturation;
    saturation.Set(0);
    EXPECT_FALSE(saturation.RebuildPending());
    unsigned char pixel[3] = {10, 20, 30};
    EXPECT_EQ(saturation.Apply(pixel, 1, 1, 24), RC_SUCCESS);
    EXPECT_FALSE(saturation.Cube().Exists());  // 0 never allocates

    saturation.Set(300);
    EXPECT_EQ(saturation.Value(), 127);
    EXPECT_EQ(saturation.Factor(), 1.9921875f);
    EXPECT_TRUE(saturation.Cube().Exists());
    EXPECT_TRUE(saturation.RebuildPending());
    saturation.Set(-128);
    EXPECT_EQ(saturation.Factor(), 0.0f);
    saturation.Set(300);  // differs from the stored -128: stores 127 again
    saturation.BuildCube();
    EXPECT_FALSE(saturation.RebuildPending());
    saturation.Set(300);  // differs from the stored 127: marks a rebuild
    EXPECT_TRUE(saturation.RebuildPending());
    saturation.BuildCube();
    saturation.Set(127);  // the stored value: nothing happens
    EXPECT_FALSE(saturation.RebuildPending());
    saturation.Set(0);
    EXPECT_EQ(saturation.Factor(), 1.0f);
    EXPECT_EQ(saturation.Apply(pixel, 1, 1, 24), RC_SUCCESS);
    EXPECT_TRUE(saturation.RebuildPending());  // value 0: the stage does not run
}

TEST(SaturationStage, EveryCubeEntryIsTheSerialConversion) {
    ZoqSaturation saturation;
    saturation.Set(50);
    saturation.BuildCube();
    const float factor = saturation.Factor();
    int mismatches = 0;
    for (int b = 0; b < 256; ++b)
        for (int g = 0; g < 256; ++g)
            for (int r = 0; r < 256; ++r) {
                COLOR_HSL hsl;
                RGBtoHSL1(Bgr(b, g, r), hsl);
                hsl.s *= factor;
                COLOR_RGB want;
                HSLtoRGB1(hsl, want);
                const unsigned char* got = Entry(saturation.Cube(), b, g, r);
                mismatches += got[0] != want.b || got[1] != want.g || got[2] != want.r;
            }
    EXPECT_EQ(mismatches, 0);
}

TEST(SaturationStage, MinusOneHundredTwentyEightTurnsEveryColourGray) {
    ZoqSaturation saturation;
    saturation.Set(-128);
    unsigned char image[2 * 4] = {10, 200, 30, 77, 255, 0, 128, 99};
    ASSERT_EQ(saturation.Apply(image, 2, 1, 32), RC_SUCCESS);
    int notGray = 0;
    for (int b = 0; b < 256; b += 3)
        for (int g = 0; g < 256; ++g)
            for (int r = 0; r < 256; ++r) {
                const float max = std::max(b, std::max(g, r)) / 255.0f;
                const float min = std::min(b, std::min(g, r)) / 255.0f;
                const auto l = static_cast<unsigned char>((max + min) / 2.0f * 255.0f);
                const unsigned char* e = Entry(saturation.Cube(), b, g, r);
                notGray += e[0] != l || e[1] != l || e[2] != l;
            }
    EXPECT_EQ(notGray, 0);
    const unsigned char* first = Entry(saturation.Cube(), 10, 200, 30);
    EXPECT_EQ(image[0], first[0]);
    EXPECT_EQ(image[2], first[2]);
    EXPECT_EQ(image[3], 77);  // the fourth byte stays
    EXPECT_EQ(image[7], 99);
    unsigned char gray[4] = {1, 2, 3, 4};
    EXPECT_EQ(saturation.Apply(gray, 4, 1, 8), RC_NOT_SUPPORTED);
    EXPECT_EQ(gray[0], 1);
}

TEST(HueSaturationStage, SettersClampRefuseBadRangesAndMarkRebuilds) {
    ZoqHueSaturation hsl;
    EXPECT_EQ(hsl.Set(7, 10, 10, 10), RC_PARAMETER_ERROR);
    EXPECT_EQ(hsl.Set(-1, 10, 10, 10), RC_PARAMETER_ERROR);
    EXPECT_EQ(hsl.Get(7, nullptr, nullptr, nullptr), RC_PARAMETER_ERROR);
    EXPECT_FALSE(hsl.RebuildPending());
    EXPECT_EQ(hsl.Set(3, 500, -300, 40), RC_SUCCESS);
    int h = 0, s = 0, l = 0;
    EXPECT_EQ(hsl.Get(3, &h, &s, &l), RC_SUCCESS);
    EXPECT_EQ(h, 180);
    EXPECT_EQ(s, -100);
    EXPECT_EQ(l, 40);
    EXPECT_DOUBLE_EQ(hsl.Config().hue[3], 1.0);
    EXPECT_DOUBLE_EQ(hsl.Config().saturation[3], -1.0);
    EXPECT_DOUBLE_EQ(hsl.Config().lightness[3], 0.4);
    EXPECT_TRUE(hsl.RebuildPending());
    EXPECT_FALSE(hsl.Cube().Exists());

    hsl.SetEnable(true);
    ASSERT_TRUE(hsl.Cube().Exists());
    const unsigned char* e = Entry(hsl.Cube(), 1, 2, 3);  // identity until built
    EXPECT_EQ(e[0], 1);
    EXPECT_EQ(e[2], 3);
    hsl.BuildCube();
    EXPECT_FALSE(hsl.RebuildPending());
    hsl.Set(3, 180, -100, 40);  // the same after clamping
    EXPECT_FALSE(hsl.RebuildPending());
    hsl.SetEnable(false);
    hsl.SetEnable(true);  // off and on again rebuilds
    EXPECT_TRUE(hsl.RebuildPending());
    hsl.SetEnable(false);
    EXPECT_FALSE(hsl.RebuildPending());
    unsigned char pixel[3] = {0, 255, 0};
    EXPECT_EQ(hsl.Apply(pixel, 1, 1, 24), RC_SUCCESS);
    EXPECT_EQ(pixel[0], 0);  // off: untouched
}

TEST(HueSaturationStage, AllZeroSettingsMapEveryColourToItselfWithinOneLevel) {
    ZoqHueSaturation hsl;
    hsl.SetEnable(true);
    hsl.BuildCube();
    int far = 0, moved = 0;
    for (int b = 0; b < 256; ++b)
        for (int g = 0; g < 256; ++g)
            for (int r = 0; r < 256; ++r) {
                const unsigned char* e = Entry(hsl.Cube(), b, g, r);
                const int d = std::max(std::abs(e[0] - b), std::max(std::abs(e[1] - g), std::abs(e[2] - r)));
                far += d > 1;
                moved += d != 0;
            }
    EXPECT_EQ(far, 0);
    EXPECT_LT(moved, 1 << 20);
}

COLOR_RGB Adjust(const ZoqHueSaturation& hsl, COLOR_RGB in) {
    COLOR_RGB out;
    ZoqAdjustHueSaturation(hsl.Config(), in, out);
    return out;
}

TEST(HueSaturationStage, HueTurnsTheSectorsItNames) {
    ZoqHueSaturation green;
    green.Set(ZOQ_HUE_GREEN, 60, 0, 0);
    EXPECT_TRUE(SameColour(Adjust(green, Bgr(0, 255, 0)), 255, 255, 0));  // green -> cyan
    EXPECT_TRUE(SameColour(Adjust(green, Bgr(0, 0, 255)), 0, 0, 255));    // red stays
    ZoqHueSaturation master;
    master.Set(ZOQ_HUE_MASTER, 60, 0, 0);
    EXPECT_TRUE(SameColour(Adjust(master, Bgr(0, 255, 0)), 255, 255, 0));
    EXPECT_TRUE(SameColour(Adjust(master, Bgr(0, 0, 255)), 0, 255, 255));  // red -> yellow
    ZoqHueSaturation back;
    back.Set(ZOQ_HUE_MASTER, -180, 0, 0);
    back.Set(ZOQ_HUE_RED, -180, 0, 0);  // a whole turn back: red again
    EXPECT_TRUE(SameColour(Adjust(back, Bgr(0, 0, 255)), 0, 0, 255));
    ZoqHueSaturation pale;
    pale.Set(ZOQ_HUE_MASTER, 0, -100, 0);
    EXPECT_TRUE(SameColour(Adjust(pale, Bgr(0, 255, 0)), 128, 128, 128));
}

TEST(HueSaturationStage, LightnessMovesTowardWhiteOrBlack) {
    ZoqHueSaturation half;
    half.Set(ZOQ_HUE_MASTER, 0, 0, 100);  // L' = (1 + L) / 2
    EXPECT_TRUE(SameColour(Adjust(half, Bgr(0, 0, 255)), 128, 128, 255));
    EXPECT_TRUE(SameColour(Adjust(half, Bgr(0, 0, 0)), 128, 128, 128));
    ZoqHueSaturation white, black;
    for (int range = 0; range < ZoqHueSaturation::kRanges; ++range) {
        white.Set(range, 0, 0, 100);
        black.Set(range, 0, 0, -100);
    }
    for (COLOR_RGB c : {Bgr(0, 0, 0), Bgr(12, 200, 99), Bgr(255, 0, 128), Bgr(40, 40, 40)}) {
        EXPECT_TRUE(SameColour(Adjust(white, c), 255, 255, 255));
        EXPECT_TRUE(SameColour(Adjust(black, c), 0, 0, 0));
    }
}

TEST(HueSaturationStage, GrayTakesTheRedSectorsLightnessOnly) {
    ZoqHueSaturation red;
    red.Set(ZOQ_HUE_RED, 0, 0, 100);
    EXPECT_TRUE(SameColour(Adjust(red, Bgr(100, 100, 100)), 177, 177, 177));  // L + 0.5 (1 - L)
    ZoqHueSaturation others;
    for (int range = ZOQ_HUE_YELLOW; range <= ZOQ_HUE_MAGENTA; ++range) others.Set(range, 90, 50, 100);
    EXPECT_TRUE(SameColour(Adjust(others, Bgr(100, 100, 100)), 100, 100, 100));
}

}  // namespace
