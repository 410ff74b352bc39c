// The colour stages on a 2592 x 1944 image (items = pixels, so the rate is
// in pixels per second) and the colour cube builds, parallel and serial.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "colourroad/ZOQDevice_AWB_Measure.h"
#include "colourroad/ZOQDevice_AWB_Tables.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_Matrix.h"

namespace {

constexpr int kWidth = 2592;
constexpr int kHeight = 1944;

// Smooth colour gradients with a little noise, like a real picture; or
// random colours, the worst case for the cube look-ups.
std::vector<unsigned char> MakeImage(int bytesPerPixel, bool random) {
    std::vector<unsigned char> image(std::size_t(kWidth) * kHeight * bytesPerPixel);
    std::mt19937 generator(1);
    std::uniform_int_distribution<int> noise(-3, 3), any(0, 255);
    unsigned char* p = image.data();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x, p += bytesPerPixel) {
            const int base[3] = {x * 255 / kWidth, y * 255 / kHeight, (x + y) * 255 / (kWidth + kHeight)};
            for (int c = 0; c < 3; ++c) {
                const int v = random ? any(generator) : base[c] + noise(generator);
                p[c] = static_cast<unsigned char>(v < 0 ? 0 : (v > 255 ? 255 : v));
            }
        }
    return image;
}

void Pixels(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}

void BM_WhiteBalanceTables(benchmark::State& state) {
    const int bpp = int(state.range(0));
    std::vector<unsigned char> image = MakeImage(bpp, false);
    ZoqGainTables tables;
    const float gains[3] = {1.2f, 1.0f, 1.4f};
    tables.Build(gains);
    for (auto _ : state) {
        tables.Apply(image.data(), kWidth, kHeight, bpp * 8);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_WhiteBalanceTables)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_WhiteBalanceMeasure(benchmark::State& state) {
    std::vector<unsigned char> image = MakeImage(3, false);
    const ZoqFittedRegion all = FitRegionEven({0, 0, kWidth, kHeight}, kWidth, kHeight);
    float gains[3];
    for (auto _ : state) benchmark::DoNotOptimize(ZoqMeasureWhiteBalance(image.data(), kWidth, kHeight, 24, all, 0, false, gains));
    Pixels(state);
}
BENCHMARK(BM_WhiteBalanceMeasure)->Unit(benchmark::kMillisecond);

void BM_ColourMatrix(benchmark::State& state) {
    const int bpp = int(state.range(0));
    std::vector<unsigned char> image = MakeImage(bpp, false);
    const float m[3][3] = {{1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}};
    for (auto _ : state) {
        // The product of an image with itself saturates after a few rounds;
        // its cost does not depend on the values.
        ZoqApplyColourMatrix(m, image.data(), kWidth, kHeight, bpp * 8);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_ColourMatrix)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

// Applying a built cube; range(0): 0 gradient image, 1 random colours.
void ApplyCube(benchmark::State& state, ZoqCubeStage& stage) {
    stage.BuildCube();
    const std::vector<unsigned char> source = MakeImage(3, state.range(0) != 0);
    std::vector<unsigned char> image = source;
    for (auto _ : state) {
        state.PauseTiming();
        image = source;
        state.ResumeTiming();
        stage.Apply(image.data(), kWidth, kHeight, 24);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}

void BM_SaturationCube(benchmark::State& state) {
    ZoqSaturation saturation;
    saturation.Set(40);
    ApplyCube(state, saturation);
}
BENCHMARK(BM_SaturationCube)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_HueSaturationCube(benchmark::State& state) {
    ZoqHueSaturation hsl;
    hsl.SetEnable(true);
    hsl.Set(ZOQ_HUE_MASTER, 20, 10, 0);
    ApplyCube(state, hsl);
}
BENCHMARK(BM_HueSaturationCube)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Cube builds: all 16.7 million colours converted there and back.
void BM_BuildSaturationCube(benchmark::State& state) {
    ZoqSaturation saturation;
    int value = 1;
    for (auto _ : state) {
        saturation.Set(value = value % 100 + 1);
        saturation.BuildCube();
    }
}
BENCHMARK(BM_BuildSaturationCube)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BuildHueSaturationCube(benchmark::State& state) {
    ZoqHueSaturation hsl;
    hsl.SetEnable(true);
    int value = 1;
    for (auto _ : state) {
        hsl.Set(ZOQ_HUE_MASTER, value = value % 100 + 1, 0, 0);
        hsl.BuildCube();
    }
}
BENCHMARK(BM_BuildHueSaturationCube)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same conversions on one thread, for the parallel build's speed-up.
void BM_BuildHueSaturationSerial(benchmark::State& state) {
    ZOQHueSaturationConfig config = {};
    config.hue[0] = 0.1;
    std::vector<unsigned char> cube(ZoqColourCube::kBytes);
    for (auto _ : state) {
        unsigned char* e = cube.data();
        for (int b = 0; b < 256; ++b)
            for (int g = 0; g < 256; ++g)
                for (int r = 0; r < 256; ++r, e += 3) {
                    COLOR_RGB out;
                    ZoqAdjustHueSaturation(config, COLOR_RGB{(unsigned char)b, (unsigned char)g, (unsigned char)r}, out);
                    e[0] = out.b, e[1] = out.g, e[2] = out.r;
                }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildHueSaturationSerial)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
