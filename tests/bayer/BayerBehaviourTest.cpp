// Worked examples and edge cases: flat mosaics, the documented examples of
// each algorithm, row order, the fourth byte, bitCount checks and the
// parallel build's thread count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "BayerTestSupport.h"

namespace bayertest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// B, G, R of image pixel (x, y) of a top-down output.
struct Bgr {
    int b, g, r;
};

Bgr PixelAt(const Bytes& out, int width, int x, int y, int pixelSize = 3) {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * pixelSize;
    return {out[i], out[i + 1], out[i + 2]};
}

int Call(const Library& library, const char* symbol, Bytes& src, int width, int height, Bytes& dst,
        unsigned short bitCount = 24) {
    const auto fn = library.Get<Colour8Fn>(symbol);
    EXPECT_NE(fn, nullptr) << symbol;
    return fn(src.data(), width, height, dst.data(), bitCount);
}

Bytes Output(int width, int height, int pixelSize = 3, std::uint8_t fill = 0x5A) {
    return Bytes(static_cast<std::size_t>(width) * height * pixelSize, fill);
}

class BothBuilds : public ::testing::TestWithParam<bool> {
protected:
    const Library& library() const { return Build(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Bayer, BothBuilds, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return BuildName(info.param); });

TEST_P(BothBuilds, FlatMosaicGivesItsValueInEveryChannelOfEveryPixel) {
    for (const int v : {0, 77, 255}) {
        for (const auto& [width, height] : {std::pair{9, 7}, std::pair{32, 6}}) {
            const std::size_t pixels = static_cast<std::size_t>(width) * height;
            for (const Member& member : AllMembers()) {
                std::vector<unsigned short> wide(pixels, static_cast<unsigned short>(v * 257));
                Bytes narrow(pixels, static_cast<std::uint8_t>(v));
                void* fn = library().Find(member.symbol);
                ASSERT_NE(fn, nullptr) << member.symbol;
                bool flat = true;
                switch (member.declared) {
                    case Signature::kColour8: {
                        Bytes out = Output(width, height);
                        reinterpret_cast<Colour8Fn>(fn)(narrow.data(), width, height, out.data(), 24);
                        for (const std::uint8_t byte : out) flat = flat && byte == v;
                        break;
                    }
                    case Signature::kGray8: {
                        Bytes out = Output(width, height, 1);
                        reinterpret_cast<Gray8Fn>(fn)(narrow.data(), width, height, out.data());
                        for (const std::uint8_t byte : out) flat = flat && byte == v;
                        break;
                    }
                    case Signature::kColour16:
                    case Signature::kGray16: {
                        const int size = member.declared == Signature::kGray16 ? 1 : 3;
                        std::vector<unsigned short> out(pixels * size, 0x5A5A);
                        if (size == 1) {
                            reinterpret_cast<Gray16Fn>(fn)(wide.data(), width, height, out.data());
                        } else {
                            reinterpret_cast<Colour16Fn>(fn)(wide.data(), width, height, out.data(), 24);
                        }
                        for (const unsigned short word : out) flat = flat && word == v * 257;
                        break;
                    }
                }
                const bool frameOnly = member.algorithm == Algorithm::kEdge1 ||
                                       member.algorithm == Algorithm::kEdge1_16 ||
                                       member.algorithm == Algorithm::kEdge2;
                if (!frameOnly) {
                    EXPECT_TRUE(flat) << member.symbol << " on a flat " << v << ", " << width << " x " << height;
                }
            }
        }
    }
}

TEST_P(BothBuilds, BilinearWorkedExampleAtABlueSite) {
    // RGGB 3 x 3: the centre is a blue site.
    Bytes src = {1, 10, 2,  //
                 30, 99, 40,  //
                 3, 20, 5};
    for (const char* symbol : {"ZOQCFA_Bilinear_RGGB", "ZOQCFA_FastBilinear_RGGB"}) {
        Bytes out = Output(3, 3);
        EXPECT_EQ(Call(library(), symbol, src, 3, 3, out), 0);
        const Bgr centre = PixelAt(out, 3, 1, 1);
        EXPECT_EQ(centre.g, 25) << symbol;  // (10 + 20 + 30 + 40) >> 2
        EXPECT_EQ(centre.r, 2) << symbol;   // (1 + 2 + 3 + 5) >> 2
        EXPECT_EQ(centre.b, 99) << symbol;
    }
}

TEST_P(BothBuilds, EdgeSensingFollowsTheFlatterAxis) {
    // BGGR 3 x 3: the centre is a red site.
    Bytes equal = {0, 10, 0,  //
                   40, 99, 60,  //
                   0, 30, 0};
    Bytes out = Output(3, 3);
    Call(library(), "ZOQCFA_EdgeSensing1_BGGR", equal, 3, 3, out);
    EXPECT_EQ(PixelAt(out, 3, 1, 1).g, 35);  // |40 - 60| = |10 - 30|: all four

    Bytes vertical = {0, 50, 0,  //
                      0, 99, 200,  //
                      0, 50, 0};
    Call(library(), "ZOQCFA_EdgeSensing1_BGGR", vertical, 3, 3, out);
    EXPECT_EQ(PixelAt(out, 3, 1, 1).g, 50);  // N = S: along the column
    EXPECT_EQ(PixelAt(out, 3, 1, 1).r, 99);
}

TEST_P(BothBuilds, EdgeSensing2TakesTheFlatterDiagonalAndIsWhatEdgeSensing1GivesOnRGGB) {
    // RGGB 3 x 3, blue centre: NW - SE differs by 0, NE - SW by 200.
    Bytes src = {80, 10, 0,  //
                 10, 99, 10,  //
                 200, 10, 80};
    Bytes two = Output(3, 3), one = Output(3, 3);
    Call(library(), "ZOQCFA_EdgeSensing2_RGGB", src, 3, 3, two);
    Call(library(), "ZOQCFA_EdgeSensing1_RGGB", src, 3, 3, one);
    EXPECT_EQ(PixelAt(two, 3, 1, 1).r, 80);  // (NW + SE) >> 1, not the mean 90
    EXPECT_EQ(one, two);
}

TEST_P(BothBuilds, LaplacianClampsTheCorrectedGreen) {
    // RGGB 5 x 5: the centre (2, 2) is the only interior pixel, a red site.
    // With equal gradients the third formula applies.
    const auto mosaic = [](int centre, int near, int far) {
        Bytes src(25, 0);
        const auto at = [&](int x, int y) -> std::uint8_t& { return src[y * 5 + x]; };
        at(2, 2) = static_cast<std::uint8_t>(centre);
        at(1, 2) = at(3, 2) = at(2, 1) = at(2, 3) = static_cast<std::uint8_t>(near);
        at(0, 2) = at(4, 2) = at(2, 0) = at(2, 4) = static_cast<std::uint8_t>(far);
        return src;
    };
    Bytes low = mosaic(0, 0, 6);  // 0 + (-12 - 12) / 8 = -3
    Bytes out = Output(5, 5);
    Call(library(), "ZOQCFA_Laplacian_RGGB", low, 5, 5, out);
    EXPECT_EQ(PixelAt(out, 5, 2, 2).g, 0);
    Bytes high = mosaic(255, 255, 165);  // 255 + (180 + 180) / 8 = 300
    Call(library(), "ZOQCFA_Laplacian_RGGB", high, 5, 5, out);
    EXPECT_EQ(PixelAt(out, 5, 2, 2).g, 255);
    EXPECT_EQ(PixelAt(out, 5, 2, 2).r, 255);
}

// RGGB 5 x 5 with every green `green`, red 50 and blue 80.
Bytes HueMosaic(int green) {
    Bytes src(25);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool g = (x + y) % 2 == 1;
            src[y * 5 + x] = static_cast<std::uint8_t>(g ? green : y % 2 == 0 ? 50 : 80);
        }
    }
    return src;
}

TEST_P(BothBuilds, SmoothHueKeepsTheRatioToGreen) {
    Bytes src = HueMosaic(100);
    for (const char* symbol : {"ZOQCFA_SmoothHue_RGGB", "ZOQCFA_SmoothHue_RGGB_Flip"}) {
        Bytes out = Output(5, 5);
        Call(library(), symbol, src, 5, 5, out);
        const bool flip = std::string(symbol).find("Flip") != std::string::npos;
        EXPECT_EQ(PixelAt(out, 5, 1, flip ? 3 : 1).r, 50) << symbol;  // blue site (1, 1)
    }
}

TEST_P(BothBuilds, SmoothHueWithAZeroGreenSaturatesOrGivesZero) {
    Bytes src = HueMosaic(100);
    // The greens around the red site (2, 2) become 0, so its green is 0.
    src[1 * 5 + 2] = src[3 * 5 + 2] = src[2 * 5 + 1] = src[2 * 5 + 3] = 0;
    Bytes out = Output(5, 5);
    Call(library(), "ZOQCFA_SmoothHue_RGGB", src, 5, 5, out);
    EXPECT_EQ(PixelAt(out, 5, 2, 2).g, 0);
    EXPECT_EQ(PixelAt(out, 5, 1, 1).r, 255);  // a ratio 50 / 0 in the sum
    EXPECT_EQ(PixelAt(out, 5, 2, 2).b, 0);    // finite ratios times a zero green
}

TEST_P(BothBuilds, GrayRightEdgeRules) {
    Bytes src(4 * 3);
    for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<std::uint8_t>(i * 37);
    Bytes rggb = Output(4, 3, 1), bggr = Output(4, 3, 1);
    const auto gray = [&](const char* symbol, Bytes& out) {
        library().Get<Gray8Fn>(symbol)(src.data(), 4, 3, out.data());
    };
    gray("ZOQCFA_NearestNeighbor_RGGB_Gray", rggb);
    gray("ZOQCFA_NearestNeighbor_BGGR_Gray", bggr);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(rggb[y * 4 + 2], rggb[y * 4 + 1]);
        EXPECT_EQ(rggb[y * 4 + 3], rggb[y * 4 + 1]);
        EXPECT_EQ(bggr[y * 4 + 3], bggr[y * 4 + 2]);
        EXPECT_EQ(bggr[y * 4 + 1], rggb[y * 4 + 1]);
    }
    EXPECT_NE(bggr[2], bggr[1]);
}

TEST_P(BothBuilds, FlipIsTheSameImageStoredBottomUp) {
    const int width = 13, height = 9;
    const ref::Mosaic mosaic = RandomMosaic(width, height, 255, false, 5);
    Bytes src(mosaic.samples.begin(), mosaic.samples.end());
    for (const Member& top : AllMembers()) {
        if (top.flip || top.declared != Signature::kColour8) continue;
        for (const Member& flip : AllMembers()) {
            const bool pair = flip.flip && flip.algorithm == top.algorithm && flip.pattern == top.pattern &&
                              flip.windowBeforeX == top.windowBeforeX && flip.greenMean == top.greenMean;
            if (!pair) continue;
            Bytes a = Output(width, height), b = Output(width, height);
            Call(library(), top.symbol, src, width, height, a);
            Call(library(), flip.symbol, src, width, height, b);
            const std::size_t stride = width * 3;
            for (int y = 0; y < height; ++y) {
                EXPECT_TRUE(std::equal(a.begin() + y * stride, a.begin() + (y + 1) * stride,
                                       b.begin() + (height - 1 - y) * stride))
                    << top.symbol << " row " << y;
            }
        }
    }
}

TEST_P(BothBuilds, FourthByteOfThirtyTwoBitOutput) {
    const int width = 12, height = 10;
    const ref::Mosaic mosaic = RandomMosaic(width, height, 255, false, 9);
    Bytes src(mosaic.samples.begin(), mosaic.samples.end());
    const auto fourthBytes = [&](const char* symbol) {
        Bytes out = Output(width, height, 4, 0x33);
        Call(library(), symbol, src, width, height, out, 32);
        std::set<int> values;
        for (std::size_t i = 3; i < out.size(); i += 4) values.insert(out[i]);
        return values;
    };
    EXPECT_EQ(fourthBytes("ZOQCFA_Laplacian_RGGB"), std::set<int>{0xFF});
    EXPECT_EQ(fourthBytes("ZOQCFA_EdgeSensing1_GBRG"), std::set<int>{0x33});
    EXPECT_EQ(fourthBytes("ZOQCFA_Bilinear_RGGB_Flip"), std::set<int>{0x33});
    EXPECT_EQ(fourthBytes("ZOQCFA_Bilinear_RGGB"), std::set<int>{GetParam() ? 0x33 : 0xFF});
}

TEST_P(BothBuilds, BitCountsOtherThan24Or32WriteNothing) {
    Bytes src(8 * 6, 100);
    for (const unsigned short bitCount : {0, 8, 16, 31, 48}) {
        for (const Member& member : AllMembers()) {
            if (member.declared != Signature::kColour8) continue;
            Bytes out = Output(8, 6, 6, 0x5A);
            const int expected = member.algorithm == Algorithm::kFastBilinear ? -1 : 0;
            EXPECT_EQ(Call(library(), member.symbol, src, 8, 6, out, bitCount), expected) << member.symbol;
            EXPECT_EQ(out, Output(8, 6, 6, 0x5A)) << member.symbol << " with bitCount " << bitCount;
        }
    }
}

TEST_P(BothBuilds, TwoByTwoImageIsAllFrame) {
    Bytes src = {11, 22,  //
                 33, 44};  // RGGB: R 11, G 22 and 33, B 44
    for (const char* symbol : {"ZOQCFA_Bilinear_RGGB", "ZOQCFA_SmoothHue_RGGB", "ZOQCFA_Laplacian_RGGB",
                               "ZOQCFA_EdgeSensing2_RGGB", "ZOQCFA_NearestNeighbor_Edge1_RGGB"}) {
        Bytes out = Output(2, 2);
        Call(library(), symbol, src, 2, 2, out);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 2; ++x) {
                const Bgr p = PixelAt(out, 2, x, y);
                EXPECT_EQ(p.r, 11) << symbol;
                EXPECT_EQ(p.b, 44) << symbol;
                EXPECT_EQ(p.g, y == 0 ? 22 : 33) << symbol;
            }
        }
    }
}

TEST(BayerThreadCount, SmallHeightsLowerItInTheParallelBuildOnly) {
    for (const bool parallel : {true, false}) {
        const Library& library = Build(parallel);
        const ThreadCountRestorer restore(library);
        short* count = library.ThreadCount();
        *count = 4;
        Bytes src(16 * 12, 10);
        Bytes out = Output(16, 12);
        Call(library, "ZOQCFA_Bilinear_RGGB", src, 16, 10, out);
        EXPECT_EQ(*count, 4);
        Call(library, "ZOQCFA_Bilinear_GBRG_Flip", src, 16, 8, out);
        EXPECT_EQ(*count, parallel ? 6 : 4);
        Call(library, "ZOQCFA_FastBilinear_BGGR", src, 16, 9, out);
        EXPECT_EQ(*count, parallel ? 7 : 4);
        Call(library, "ZOQCFA_Bilinear_GRBG", src, 16, 12, out);
        EXPECT_EQ(*count, parallel ? 7 : 4);  // nothing raises it again
        Call(library, "ZOQCFA_EdgeSensing1_BGGR", src, 16, 3, out);
        EXPECT_EQ(*count, parallel ? 7 : 4);  // only bilinear calls store it
    }
}

TEST(BayerThreadCount, AnyValueGivesTheExactResult) {
    const Library& library = Library::Parallel();
    const ThreadCountRestorer restore(library);
    const ref::Mosaic mosaic = RandomMosaic(101, 77, 255, false, 3);
    for (const Member& member : MembersOf(Algorithm::kBilinear)) {
        // 0 after a height-2 call; the rest written by a caller.
        for (const short value : {0, -3, 1, 2, 75, 76, 1000}) {
            *library.ThreadCount() = value;
            EXPECT_EQ(CompareWithReference(library, member, mosaic, 24), "") << member.symbol << ", " << value;
        }
        Bytes src(4, 1), out = Output(2, 2);
        Call(library, member.symbol, src, 2, 2, out);
        EXPECT_EQ(*library.ThreadCount(), 0);
        EXPECT_EQ(CompareWithReference(library, member, mosaic, 32), "") << member.symbol << " after height 2";
    }
}

TEST(BayerThreadCount, ConcurrentBilinearCallsStayExact) {
    const Library& library = Library::Parallel();
    const ThreadCountRestorer restore(library);
    std::vector<std::string> failures(4);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const ref::Mosaic mosaic = RandomMosaic(64 + t, t % 2 == 0 ? 48 : 7, 255, false, 11 + t);
            for (int i = 0; i < 5 && failures[t].empty(); ++i) {
                failures[t] = CompareWithReference(library, MembersOf(Algorithm::kBilinear)[t * 2], mosaic, 24);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (const std::string& failure : failures) EXPECT_EQ(failure, "");
}

}  // namespace
}  // namespace bayertest
