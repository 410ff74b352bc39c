// The colour stages on a 2592 x 1944 image (items = pixels, so the rate is
// in pixels per second).
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
// random colours.
std::vector<unsigned char> MakeImage(int bytesPerPixel, bool random) {
    std::vector<unsigned char> image(std::size_t(kWidth) * kHeight * bytesPerPixel);
    std::mt19937 generator(1);
    std::uniform_int_distribution<int> noise(-3, 3), any(0, 255);
    unsigned char* p = image.data();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x, p += bytesPerPixel) {
            const int base[3] = {x * 255 / kWidth, y * 255 / kHeight,
                                 (x + y) * 255 / (kWidth + kHeight)};
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
BENCHMARK(BM_WhiteBalanceTables)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WhiteBalanceMeasure(benchmark::State& state) {
    std::vector<unsigned char> image = MakeImage(3, false);
    const ZoqFittedRegion all = FitRegionEven({0, 0, kWidth, kHeight}, kWidth, kHeight);
    float gains[3];
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ZoqMeasureWhiteBalance(image.data(), kWidth, kHeight, 24, all, 0, false, gains));
    Pixels(state);
}
BENCHMARK(BM_WhiteBalanceMeasure)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ColourMatrix(benchmark::State& state) {
    const int bpp = int(state.range(0));
    std::vector<unsigned char> image = MakeImage(bpp, false);
    const float m[3][3] = {
        {1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}};
    for (auto _ : state) {
        // The product of an image with itself saturates after a few rounds;
        // its cost does not depend on the values.
        ZoqApplyColourMatrix(m, image.data(), kWidth, kHeight, bpp * 8);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_ColourMatrix)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// range(0): 0 gradient image, 1 random colours.
template <typename Stage>
void ApplyStage(benchmark::State& state, const Stage& stage) {
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

void BM_Saturation(benchmark::State& state) {
    ZoqSaturation saturation;
    saturation.Set(40);
    ApplyStage(state, saturation);
}
BENCHMARK(BM_Saturation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HueSaturation(benchmark::State& state) {
    ZoqHueSaturation hsl;
    hsl.SetEnable(true);
    hsl.Set(ZOQ_HUE_MASTER, 20, 10, 0);
    ApplyStage(state, hsl);
}
BENCHMARK(BM_HueSaturation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
