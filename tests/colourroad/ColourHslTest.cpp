// The HSL conversions and the saturation and hue/saturation/lightness
// stages: the conversions on known colours, every one of the 2^24 colours
// through the stages against the conversions one colour at a time, and
// images of awkward sizes.
#include <gtest/gtest.h>
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>

#include "HslReference.h"
#include "LaneWidths.h"
#include "colourroad/ZOQDevice_ColourConvert.h"
#include "colourroad/ZOQDevice_HslOfColour.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "zoq_errors.h"
#include "zoq_types.h"

namespace {

using colourref::Image;

COLOR_RGB Bgr(int b, int g, int r) {
    return COLOR_RGB{static_cast<unsigned char>(b), static_cast<unsigned char>(g),
                     static_cast<unsigned char>(r)};
}

::testing::AssertionResult SameColour(const COLOR_RGB& got, int b, int g, int r) {
    if (got.b == b && got.g == g && got.r == r) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << int(got.b) << ", " << int(got.g) << ", " << int(got.r) << "), want (" << b
           << ", " << g << ", " << r << ")";
}

// Every colour once, pixel (B * 256 + G) * 256 + R of a 4096 x 4096 image;
// a 32-bit image carries a fourth byte that the stages must keep.
constexpr int kSide = 4096;
constexpr std::size_t kColours = std::size_t(1) << 24;

const Image& AllColours(int bpp) {
    static Image images[2];
    Image& image = images[bpp == 4];
    if (image.empty()) {
        image.resize(kColours * bpp);
        for (std::size_t c = 0; c < kColours; ++c) {
            unsigned char* p = &image[c * bpp];
            p[0] = static_cast<unsigned char>(c >> 16);
            p[1] = static_cast<unsigned char>(c >> 8);
            p[2] = static_cast<unsigned char>(c);
            if (bpp == 4) p[3] = static_cast<unsigned char>(c * 7 + 1);
        }
    }
    return image;
}

// The image a one-colour function makes of `image`, spread over the cores.
template <typename Colour>
Image Expected(const Image& image, int bpp, Colour colour) {
    Image expected = image;
    const std::size_t pixels = expected.size() / bpp;
    tbb::parallel_for(tbb::blocked_range<std::size_t>(0, pixels, 65536),
                      [&](const tbb::blocked_range<std::size_t>& r) {
                          for (std::size_t i = r.begin(); i != r.end(); ++i) {
                              unsigned char* p = &expected[i * bpp];
                              const COLOR_RGB out = colour(COLOR_RGB{p[0], p[1], p[2]});
                              p[0] = out.b, p[1] = out.g, p[2] = out.r;
                          }
                      });
    return expected;
}

// Counts the pixels that differ and describes the first.
::testing::AssertionResult SameImage(const Image& got, const Image& want, int bpp) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "sizes differ";
    std::size_t differing = 0, first = 0;
    for (std::size_t i = 0; i < got.size(); i += bpp)
        if (!std::equal(&got[i], &got[i] + bpp, &want[i]) && differing++ == 0) first = i;
    if (differing == 0) return ::testing::AssertionSuccess();
    std::ostringstream text;
    text << differing << " pixels differ; pixel " << first / bpp << ": got";
    for (int c = 0; c < bpp; ++c) text << ' ' << int(got[first + c]);
    text << ", want";
    for (int c = 0; c < bpp; ++c) text << ' ' << int(want[first + c]);
    return ::testing::AssertionFailure() << text.str();
}

using colourref::RandomImage;

// A stage against its one-colour function on images of every awkward
// shape: widths that leave every possible tail, one row, both pixel sizes,
// and an image large enough to be cut into blocks for several threads.
template <typename Stage, typename Colour>
void ExpectAwkwardSizesMatch(const Stage& stage, Colour colour) {
    struct Size {
        int width, height;
    };
    const Size sizes[] = {{1, 1},  {2, 1},  {3, 1},   {5, 1},  {7, 3},    {8, 1},
                          {9, 2},  {10, 1}, {11, 3},  {13, 1}, {16, 2},   {17, 5},
                          {31, 1}, {33, 3}, {257, 1}, {1, 9},  {641, 483}};
    unsigned seed = 1;
    colourref::ForEachLaneWidth([&] {
        for (const Size& s : sizes)
            for (int bpp : {3, 4}) {
                const Image source = RandomImage(std::size_t(s.width) * s.height * bpp, ++seed);
                const Image expected = Expected(source, bpp, colour);
                Image image = source;
                ASSERT_EQ(stage.Apply(image.data(), s.width, s.height, bpp * 8), RC_SUCCESS);
                ASSERT_TRUE(SameImage(image, expected, bpp))
                    << s.width << " x " << s.height << ", " << bpp << " bytes";
            }
    });
}

TEST(HslConversions, TheCompiledByteScaleIsTheRunTimeQuotient) {
    for (volatile int i = 0; i < 256; ++i)
        ASSERT_EQ(zoqcolour::kUnit.of[i], static_cast<float>(i) / 255.0f) << i;
}

TEST(HslConversions, TheLanesByteScaleIsTheQuotientToo) {
    using I = ZoqLanes<4>::I;
    for (int i = 0; i < 256; i += 4) {
        const ZoqLanes<4>::F f = zoqlanes::UnitScale<4>(I{i, i + 1, i + 2, i + 3});
        for (int k = 0; k < 4; ++k) ASSERT_EQ(f[k], zoqcolour::kUnit.of[i + k]) << i + k;
    }
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

TEST(SaturationStage, SetterRulesAndTheValueZero) {
    ZoqSaturation saturation;
    Image pixel = {10, 20, 30};
    saturation.Set(0);
    EXPECT_EQ(saturation.Apply(pixel.data(), 1, 1, 24), RC_SUCCESS);
    EXPECT_EQ(pixel, (Image{10, 20, 30}));
    saturation.Set(300);
    EXPECT_EQ(saturation.Value(), 127);
    EXPECT_EQ(saturation.Factor(), 1.9921875f);
    saturation.Set(-128);
    EXPECT_EQ(saturation.Factor(), 0.0f);
    saturation.Set(-1000);
    EXPECT_EQ(saturation.Value(), -128);
    saturation.Set(64);
    EXPECT_EQ(saturation.Factor(), 1.5f);
    saturation.Set(0);
    EXPECT_EQ(saturation.Factor(), 1.0f);
    EXPECT_EQ(saturation.Apply(pixel.data(), 1, 1, 24), RC_SUCCESS);
    EXPECT_EQ(pixel, (Image{10, 20, 30}));  // value 0: the stage does not run

    saturation.Set(-128);
    Image gray = {1, 2, 3, 4};
    EXPECT_EQ(saturation.Apply(gray.data(), 4, 1, 8), RC_NOT_SUPPORTED);
    EXPECT_EQ(saturation.Apply(nullptr, 4, 1, 24), RC_PARAMETER_ERROR);
    EXPECT_EQ(saturation.Apply(gray.data(), 0, 1, 24), RC_PARAMETER_ERROR);
    EXPECT_EQ(gray, (Image{1, 2, 3, 4}));
}

TEST(SaturationStage, EveryColourIsTheScalarConversion) {
    ZoqSaturation saturation;
    // Factors 0 and k / 128 for k = 1, 64, 168, 192 and 255: the gray
    // path, the smallest and largest factors, and those whose products fall
    // most often half-way between two levels.
    for (int value : {-128, -127, -64, 40, 64, 127}) {
        saturation.Set(value);
        const float factor = saturation.Factor();
        const Image expected = Expected(AllColours(3), 3, [factor](const COLOR_RGB& c) {
            return colourref::Saturate(factor, c);
        });
        colourref::ForEachLaneWidth([&] {
            Image image = AllColours(3);
            ASSERT_EQ(saturation.Apply(image.data(), kSide, kSide, 24), RC_SUCCESS);
            EXPECT_TRUE(SameImage(image, expected, 3)) << "saturation " << value;
        });
    }
    // 32-bit pixels: the same colours, the fourth byte kept.
    const float factor = saturation.Factor();
    const Image expected = Expected(
        AllColours(4), 4, [factor](const COLOR_RGB& c) { return colourref::Saturate(factor, c); });
    Image image = AllColours(4);
    ASSERT_EQ(saturation.Apply(image.data(), kSide, kSide, 32), RC_SUCCESS);
    EXPECT_TRUE(SameImage(image, expected, 4));
}

// Saturation of one colour worked out here in double precision, written
// from the rule and sharing nothing with the library: bright colours
// (lightness above one half) take the saturation d / (2 - max - min) and
// convert back through q = L + S - L S.
COLOR_RGB PlainSaturate(double factor, int b, int g, int r) {
    const double R = r / 255.0, G = g / 255.0, B = b / 255.0;
    const double max = std::max({R, G, B}), min = std::min({R, G, B});
    const double l = (max + min) / 2, d = max - min;
    if (d == 0) {
        const auto v = static_cast<unsigned char>(l * 255);
        return COLOR_RGB{v, v, v};
    }
    double h = max == R   ? 60 * (G - B) / d + (G < B ? 360 : 0)
               : max == G ? 60 * (B - R) / d + 120
                          : 60 * (R - G) / d + 240;
    const double s = (l <= 0.5 ? d / (max + min) : d / (2 - max - min)) * factor;
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
    h /= 360;
    auto channel = [&](double t) {
        t = t < 0 ? t + 1 : t > 1 ? t - 1 : t;
        const double v = 6 * t < 1   ? p + (q - p) * 6 * t
                         : 2 * t < 1 ? q
                         : 3 * t < 2 ? p + (q - p) * (2.0 / 3 - t) * 6
                                     : p;
        return static_cast<unsigned char>(std::clamp(v * 255 + 0.5, 0.0, 255.0));
    };
    return COLOR_RGB{channel(h - 1.0 / 3), channel(h), channel(h + 1.0 / 3)};
}

TEST(SaturationStage, BrightColoursFollowThePlainFormula) {
    ZoqSaturation saturation;
    for (int value : {-100, 64, 127}) {
        saturation.Set(value);
        Image image = AllColours(3);
        ASSERT_EQ(saturation.Apply(image.data(), kSide, kSide, 24), RC_SUCCESS);
        // Single against double precision: a level apart at most.
        std::size_t bright = 0, off = 0, first = 0;
        for (std::size_t c = 0; c < kColours; ++c) {
            const int b = int(c >> 16), g = int(c >> 8) & 0xFF, r = int(c) & 0xFF;
            if (std::max({b, g, r}) + std::min({b, g, r}) <= 255) continue;  // L <= 0.5
            ++bright;
            const COLOR_RGB want = PlainSaturate(saturation.Factor(), b, g, r);
            const unsigned char* got = &image[c * 3];
            if (std::abs(got[0] - want.b) > 1 || std::abs(got[1] - want.g) > 1 ||
                std::abs(got[2] - want.r) > 1)
                first = off++ == 0 ? c : first;
        }
        EXPECT_GT(bright, kColours / 3);
        EXPECT_EQ(off, 0u) << "saturation " << value << ", first colour (B, G, R) = ("
                           << (first >> 16) << ", " << ((first >> 8) & 0xFF) << ", "
                           << (first & 0xFF) << ")";
    }
}

TEST(SaturationStage, MinusOneHundredTwentyEightTurnsEveryColourGray) {
    ZoqSaturation saturation;
    saturation.Set(-128);
    Image image = AllColours(3);
    ASSERT_EQ(saturation.Apply(image.data(), kSide, kSide, 24), RC_SUCCESS);
    std::size_t notGray = 0;
    for (std::size_t c = 0; c < kColours; ++c) {
        const int b = int(c >> 16), g = int(c >> 8) & 0xFF, r = int(c) & 0xFF;
        const float max = std::max(b, std::max(g, r)) / 255.0f;
        const float min = std::min(b, std::min(g, r)) / 255.0f;
        const auto l = static_cast<unsigned char>((max + min) / 2.0f * 255.0f);
        const unsigned char* p = &image[c * 3];
        notGray += p[0] != l || p[1] != l || p[2] != l;
    }
    EXPECT_EQ(notGray, 0u);
}

TEST(SaturationStage, AwkwardSizesMatchTheScalarConversion) {
    ZoqSaturation saturation;
    saturation.Set(77);
    const float factor = saturation.Factor();
    ExpectAwkwardSizesMatch(
        saturation, [factor](const COLOR_RGB& c) { return colourref::Saturate(factor, c); });
}

TEST(HueSaturationStage, SettersClampAndRefuseBadRanges) {
    ZoqHueSaturation hsl;
    EXPECT_EQ(hsl.Set(7, 10, 10, 10), RC_PARAMETER_ERROR);
    EXPECT_EQ(hsl.Set(-1, 10, 10, 10), RC_PARAMETER_ERROR);
    EXPECT_EQ(hsl.Get(7, nullptr, nullptr, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(hsl.Set(3, 500, -300, 40), RC_SUCCESS);
    int h = 0, s = 0, l = 0;
    EXPECT_EQ(hsl.Get(3, &h, &s, &l), RC_SUCCESS);
    EXPECT_EQ(h, 180);
    EXPECT_EQ(s, -100);
    EXPECT_EQ(l, 40);
    EXPECT_DOUBLE_EQ(hsl.Config().hue[3], 1.0);
    EXPECT_DOUBLE_EQ(hsl.Config().saturation[3], -1.0);
    EXPECT_DOUBLE_EQ(hsl.Config().lightness[3], 0.4);

    Image pixel = {0, 255, 0};
    EXPECT_FALSE(hsl.Enabled());
    EXPECT_EQ(hsl.Apply(pixel.data(), 1, 1, 24), RC_SUCCESS);
    EXPECT_EQ(pixel, (Image{0, 255, 0}));  // off: untouched
    hsl.SetEnable(true);
    EXPECT_EQ(hsl.Apply(pixel.data(), 1, 1, 24), RC_SUCCESS);
    const COLOR_RGB want = colourref::AdjustHsl(hsl.Config(), Bgr(0, 255, 0));
    EXPECT_EQ(pixel, (Image{want.b, want.g, want.r}));
    EXPECT_NE(pixel, (Image{0, 255, 0}));
    Image gray = {1, 2, 3};
    EXPECT_EQ(hsl.Apply(gray.data(), 3, 1, 8), RC_NOT_SUPPORTED);
    EXPECT_EQ(gray, (Image{1, 2, 3}));
}

// Several settings that together reach every branch: no change at all,
// master and sector settings of both signs, hues that wrap both ways,
// saturation clipped at 0 and 1, lightness toward black and white.
std::vector<ZoqHueSaturation> HslSettings() {
    std::vector<ZoqHueSaturation> settings(4);
    settings[1].Set(ZOQ_HUE_MASTER, 20, 10, -30);
    settings[1].Set(ZOQ_HUE_GREEN, 60, 0, 0);
    settings[1].Set(ZOQ_HUE_BLUE, 0, -50, 0);
    settings[1].Set(ZOQ_HUE_MAGENTA, -170, 0, 40);
    settings[2].Set(ZOQ_HUE_MASTER, 180, -60, 60);
    settings[2].Set(ZOQ_HUE_RED, 150, 100, -100);
    settings[2].Set(ZOQ_HUE_CYAN, -90, 100, 100);
    settings[2].Set(ZOQ_HUE_YELLOW, 45, 30, -100);
    // The largest saturation gain and hue turns near half a turn, where the
    // single-precision adjustment's roundings weigh most.
    settings[3].Set(ZOQ_HUE_MASTER, -179, 100, 37);
    settings[3].Set(ZOQ_HUE_RED, -1, 100, 13);
    settings[3].Set(ZOQ_HUE_GREEN, 179, 77, -3);
    settings[3].Set(ZOQ_HUE_MAGENTA, 7, -100, -77);
    for (ZoqHueSaturation& s : settings) s.SetEnable(true);
    return settings;
}

TEST(HueSaturationStage, EveryColourIsTheScalarAdjustment) {
    for (const ZoqHueSaturation& hsl : HslSettings()) {
        const ZOQHueSaturationConfig config = hsl.Config();
        const Image expected = Expected(AllColours(3), 3, [&config](const COLOR_RGB& c) {
            return colourref::AdjustHsl(config, c);
        });
        colourref::ForEachLaneWidth([&] {
            Image image = AllColours(3);
            ASSERT_EQ(hsl.Apply(image.data(), kSide, kSide, 24), RC_SUCCESS);
            EXPECT_TRUE(SameImage(image, expected, 3));
        });
    }
}

// The stage's hue, saturation and lightness come from a table and a
// product in place of RGBtoHSL2's divisions: the same floats for every
// colour, bit for bit, unless the lanes flag the colour for the divisions,
// which only a hue close to half-way between two floats may be.
TEST(HueSaturationStage, TheTableConversionIsRgbToHsl2ForEveryColour) {
    colourref::ForEachLaneWidth([&] {
        for (int bpp : {3, 4}) {
            std::vector<COLOR_HSL> fast(kColours);
            const std::size_t flagged =
                ZoqHslOfPixels(AllColours(bpp).data(), kColours, bpp, fast.data());
            std::size_t differing = 0, marked = 0;
            for (std::size_t c = 0; c < kColours; ++c) {
                if (fast[c].h == -1.0f) {
                    ++marked;
                    continue;
                }
                const COLOR_RGB colour = Bgr(int(c >> 16), int(c >> 8 & 0xFF), int(c & 0xFF));
                COLOR_HSL want;
                RGBtoHSL2(colour, want);
                differing += std::memcmp(&fast[c], &want, sizeof want) != 0;
            }
            EXPECT_EQ(differing, 0u) << bpp << " bytes";
            EXPECT_EQ(marked, flagged) << bpp << " bytes";
            // Rare enough to cost nothing.
            EXPECT_LT(flagged, kColours / 1000) << bpp << " bytes";
        }
    });
}

TEST(HueSaturationStage, AllZeroSettingsMapEveryColourToItselfWithinOneLevel) {
    ZoqHueSaturation hsl;
    hsl.SetEnable(true);
    Image image = AllColours(3);
    ASSERT_EQ(hsl.Apply(image.data(), kSide, kSide, 24), RC_SUCCESS);
    const Image& all = AllColours(3);
    std::size_t far = 0, moved = 0;
    for (std::size_t i = 0; i < image.size(); ++i) {
        const int d = std::abs(image[i] - all[i]);
        far += d > 1;
        moved += d != 0;
    }
    EXPECT_EQ(far, 0u);
    EXPECT_LT(moved, std::size_t(1) << 20);
}

TEST(HueSaturationStage, AwkwardSizesMatchTheScalarAdjustment) {
    ZoqHueSaturation hsl = HslSettings()[2];
    const ZOQHueSaturationConfig config = hsl.Config();
    ExpectAwkwardSizesMatch(
        hsl, [&config](const COLOR_RGB& c) { return colourref::AdjustHsl(config, c); });
}

// One colour through an enabled stage.
COLOR_RGB Adjust(ZoqHueSaturation hsl, COLOR_RGB in) {
    hsl.SetEnable(true);
    Image pixel = {in.b, in.g, in.r};
    hsl.Apply(pixel.data(), 1, 1, 24);
    return COLOR_RGB{pixel[0], pixel[1], pixel[2]};
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
    for (int range = ZOQ_HUE_YELLOW; range <= ZOQ_HUE_MAGENTA; ++range)
        others.Set(range, 90, 50, 100);
    EXPECT_TRUE(SameColour(Adjust(others, Bgr(100, 100, 100)), 100, 100, 100));
}

}  // namespace
