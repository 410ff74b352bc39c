// The focus measure: ten times the mean of the four same-colour differences
// per inner sample, over the region fitted to the frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "rawroad/ZOQDevice_AF_Measure.h"

namespace {

// Columns in pairs of 0 and `level`; rows likewise when `checker` is set.
std::vector<unsigned char> Bars(int w, int h, int level, bool checker) {
    std::vector<unsigned char> frame(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int phase = (x / 2) % 2;
            if (checker) phase ^= (y / 2) % 2;
            frame[size_t(y) * w + x] = static_cast<unsigned char>(phase * level);
        }
    return frame;
}

TEST(Focus, AUniformRegionMeasuresZero) {
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, 32, 32};
    std::vector<unsigned char> frame(32 * 32, 177);
    EXPECT_EQ(af.Measure(frame.data(), 32, 32), 0);
}

TEST(Focus, FullScaleEdgesInBothDirectionsReachTheTopOfTheScale) {
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, 32, 32};
    std::vector<unsigned char> checker = Bars(32, 32, 255, true);
    EXPECT_EQ(af.Measure(checker.data(), 32, 32), 10200);
    std::vector<unsigned char> bars = Bars(32, 32, 255, false);
    EXPECT_EQ(af.Measure(bars.data(), 32, 32), 5100);  // only left and right differ
}

TEST(Focus, TheRegionIsFittedWithItsOwnMarginsAndCountedFromTheBottom) {
    constexpr int W = 64, H = 64;
    std::vector<unsigned char> frame(W * H, 10);
    std::vector<unsigned char> checker = Bars(W, 16, 255, true);
    std::copy(checker.begin(), checker.end(), frame.begin() + 48 * W);  // buffer rows 48..63
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, W, 16};
    EXPECT_EQ(af.Measure(frame.data(), W, H), 10200);
    EXPECT_EQ(af.FittedRegion().rowOrigin, 48);
    af.region = ZoqRegion{0, 32, W, 16};
    EXPECT_EQ(af.Measure(frame.data(), W, H), 0);
    // A start past the edge moves back to leave five samples; a size below
    // five grows to five.
    af.region = ZoqRegion{200, -3, 2, 2};
    af.Measure(frame.data(), W, H);
    EXPECT_EQ(af.FittedRegion().x, W - 5);
    EXPECT_EQ(af.FittedRegion().width, 5);
    EXPECT_EQ(af.FittedRegion().height, 5);
    EXPECT_EQ(af.FittedRegion().rowOrigin, H - 5);
}

TEST(Focus, FramesWithoutInnerSamplesMeasureZero) {
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, 8, 8};
    std::vector<unsigned char> checker = Bars(8, 8, 255, true);
    EXPECT_EQ(af.Measure(checker.data(), 4, 4), 0);
    EXPECT_EQ(af.Measure(checker.data(), 8, 4), 0);
    EXPECT_EQ(af.Measure(nullptr, 8, 8), 0);
    // Five by five has exactly one inner sample.
    std::vector<unsigned char> five(25, 0);
    five[12] = 255;  // the centre against four black neighbours
    EXPECT_EQ(af.Measure(five.data(), 5, 5), 10200);
}

// The sum as it is defined: one term after the other.
double PlainSum(const unsigned char* first, std::ptrdiff_t stride, int rows, int columns) {
    double sum = 0.0;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j) {
            const unsigned char* c = first + i * stride + j;
            const int v = c[0];
            sum += (std::abs(v - c[2]) + std::abs(v - c[-2]) + std::abs(v - c[-2 * stride]) +
                    std::abs(v - c[2 * stride])) /
                   1020.0;
        }
    return sum;
}

// Frames whose sums stay at 0, grow slowly through many binades (crossing
// them inside rows), stay below 2^7 for many rows, or grow fast; on regions
// of every shape from a single sample up.
TEST(Focus, TheSumIsTheOneTermAfterTheOtherToTheLastBit) {
    std::mt19937 random(5);
    struct Scene {
        const char* name;
        int level;     // differences up to this much
        int sparsity;  // one sample in this many differs
    };
    const Scene scenes[] = {{"uniform", 0, 1}, {"faint", 2, 1},     {"sparse", 255, 5000},
                            {"noise", 255, 1}, {"textured", 16, 1}, {"rare faint", 1, 300}};
    struct Size {
        int w, h;
    };
    for (const Size& size :
         {Size{5, 5}, Size{6, 9}, Size{37, 5}, Size{641, 203}, Size{2592, 1944}}) {
        ZoqAutoFocus seen;
        for (const Scene& scene : scenes) {
            std::vector<unsigned char> frame(size_t(size.w) * size.h, 100);
            for (auto& v : frame)
                if (random() % scene.sparsity == 0)
                    v = static_cast<unsigned char>(100 + random() % (scene.level + 1) -
                                                   scene.level / 2);
            const int rows = size.h - 4, columns = size.w - 4;
            const unsigned char* first = frame.data() + 2 * size.w + 2;
            // A measure that saw the scene before (of the same shape) first.
            EXPECT_EQ(seen.Sum(first, size.w, rows, columns),
                      PlainSum(first, size.w, rows, columns))
                << scene.name << " after another scene";
            ZoqAutoFocus af;
            EXPECT_EQ(af.Sum(first, size.w, rows, columns), PlainSum(first, size.w, rows, columns))
                << scene.name << ' ' << size.w << " x " << size.h;
            // The same frame again, and a part of it, on the kept rows.
            EXPECT_EQ(af.Sum(first, size.w, rows, columns), PlainSum(first, size.w, rows, columns));
            EXPECT_EQ(af.Sum(first, size.w, rows / 2 + 1, columns / 3 + 1),
                      PlainSum(first, size.w, rows / 2 + 1, columns / 3 + 1));
        }
    }
}

// The whole measure on the frame a camera delivers: a textured scene with a
// few hot pixels, its region at the frame's edges.
TEST(Focus, RegionsAtTheEdgesMeasureAsThePlainSum) {
    constexpr int W = 2592, H = 1944;
    std::vector<unsigned char> frame(size_t(W) * H);
    uint32_t seed = 12345;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            seed = seed * 1664525u + 1013904223u;
            int v = 40 + (x + y) / 40 + static_cast<int>(seed >> 28);
            if ((seed >> 8) % 5000 == 0) v = 255;
            frame[size_t(y) * W + x] = static_cast<unsigned char>(v > 255 ? 255 : v);
        }
    ZoqAutoFocus af;
    for (ZoqRegion region : {ZoqRegion{0, 0, W, H}, ZoqRegion{W - 7, 0, 100, 9},
                             ZoqRegion{0, H - 300, 5, 500}, ZoqRegion{1001, 17, 333, 1201}}) {
        af.region = region;
        const int value = af.Measure(frame.data(), W, H);
        const ZoqFittedRegion f = af.FittedRegion();
        const int rows = f.height - 4, columns = f.width - 4;
        const double sum =
            PlainSum(frame.data() + size_t(f.rowOrigin + 2) * W + f.x + 2, W, rows, columns);
        EXPECT_EQ(value, static_cast<int>(sum / (rows * columns) * 10200.0))
            << region.x << ", " << region.y << ", " << region.width << ", " << region.height;
    }
}

}  // namespace
