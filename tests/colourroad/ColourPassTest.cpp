// The colour stages run together over blocks of rows: the same bytes as the
// stages one after the other over the whole image, whichever stages are on,
// on images of awkward sizes.
#include <gtest/gtest.h>

#include <random>

#include "ColourReference.h"
#include "HslReference.h"
#include "LaneWidths.h"
#include "colourroad/ZOQDevice_AWB_Tables.h"
#include "colourroad/ZOQDevice_ColourPass.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_Matrix.h"
#include "zoq_errors.h"

namespace {

using colourref::Image;

using colourref::RandomImage;

constexpr float kMatrix[3][3] = {
    {1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}};

struct Stages {
    ZoqGainTables gains;
    ZoqSaturation saturation;
    ZoqHueSaturation hsl;

    Stages() {
        const float g[3] = {1.25f, 0.9f, 1.4f};
        gains.Build(g);
        saturation.Set(40);
        hsl.SetEnable(true);
        hsl.Set(0, 20, 10, -30);
        hsl.Set(3, 60, -20, 15);
    }
};

// The stages in their order, each over the whole image.
Image OneAfterTheOther(const Stages& s, const ZoqColourPass& pass, Image image, int width,
                       int height, int bitCount) {
    if (pass.gains != nullptr) s.gains.Apply(image.data(), width, height, bitCount);
    if (pass.matrix != nullptr)
        ZoqApplyColourMatrix(kMatrix, image.data(), width, height, bitCount);
    if (pass.saturation != nullptr) s.saturation.Apply(image.data(), width, height, bitCount);
    if (pass.hsl != nullptr) s.hsl.Apply(image.data(), width, height, bitCount);
    return image;
}

TEST(ColourPass, EveryCombinationOfStagesGivesTheBytesOfTheStagesInTurn) {
    const Stages s;
    struct Size {
        int w, h;
    };
    unsigned seed = 300;
    colourref::ForEachLaneWidth([&] {
        for (int stages = 0; stages < 16; ++stages) {
            ZoqColourPass pass;
            if (stages & 1) pass.gains = &s.gains;
            if (stages & 2) pass.matrix = kMatrix;
            if (stages & 4) pass.saturation = &s.saturation;
            if (stages & 8) pass.hsl = &s.hsl;
            for (const Size& size : {Size{1, 1}, Size{3, 1}, Size{7, 3}, Size{9, 2}, Size{1, 9},
                                     Size{17, 5}, Size{641, 483}})
                for (int bpp : {3, 4}) {
                    const Image source = RandomImage(std::size_t(size.w) * size.h * bpp, ++seed);
                    const Image expected =
                        OneAfterTheOther(s, pass, source, size.w, size.h, bpp * 8);
                    Image image = source;
                    ASSERT_EQ(ZoqApplyColourPass(pass, image.data(), size.w, size.h, bpp * 8),
                              RC_SUCCESS);
                    ASSERT_EQ(image, expected) << "stages " << stages << ", " << size.w << " x "
                                               << size.h << ", " << bpp << " bytes";
                }
        }
    });
}

TEST(ColourPass, SwitchedOffStagesAndRefusedImagesLeaveThePixels) {
    Stages s;
    s.saturation.Set(0);
    s.hsl.SetEnable(false);
    ZoqColourPass pass;
    pass.saturation = &s.saturation;
    pass.hsl = &s.hsl;
    const Image source = RandomImage(33 * 5 * 3, 9);
    Image image = source;
    ASSERT_EQ(ZoqApplyColourPass(pass, image.data(), 33, 5, 24), RC_SUCCESS);
    EXPECT_EQ(image, source);
    pass.gains = &s.gains;
    EXPECT_EQ(ZoqApplyColourPass(pass, image.data(), 33, 5, 8), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZoqApplyColourPass(pass, image.data(), 0, 5, 24), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZoqApplyColourPass(pass, nullptr, 33, 5, 24), RC_PARAMETER_ERROR);
    EXPECT_EQ(image, source);
}

}  // namespace
