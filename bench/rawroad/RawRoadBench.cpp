// The raw-road stages on a full MT9P031 frame (2592 x 1944), reported in
// pixels per second, and the calibration remap of a 24-bit image.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchFlatField.h"
#include "BenchFrames.h"
#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"
#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"
#include "calibration/ZOQDevice_Custom_Calibration_Map.h"
#include "rawroad/ZOQDevice_AE_Control.h"
#include "rawroad/ZOQDevice_AF_Measure.h"
#include "rawroad/ZOQDevice_Image_Tone.h"
#include "zoq_errors.h"

namespace {

using zoqbench::kPixels;
constexpr int kW = zoqbench::kWidth;
constexpr int kH = zoqbench::kHeight;

const std::vector<unsigned char>& Frame() {
    return zoqbench::RawFrame();
}

// Items are pixels: items_per_second is the pixel rate.
void Report(benchmark::State& state, int64_t pixels) {
    state.SetItemsProcessed(state.iterations() * pixels);
}

void BM_BadPixels(benchmark::State& state) {
    std::vector<unsigned char> frame = Frame();
    ZoqBadPixels bad;
    bad.enable = true;
    for (auto _ : state) {
        bad.Correct(frame.data(), kW, kH);
        benchmark::ClobberMemory();
    }
    Report(state, kPixels);
}
BENCHMARK(BM_BadPixels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ToneTables(benchmark::State& state) {
    std::vector<unsigned char> frame = Frame();
    ZoqToneTables tone;
    tone.SetGamma(3);
    tone.SetContrast(20);
    tone.SetBrightness(-10);
    for (auto _ : state) {
        tone.Apply(frame.data(), frame.size());
        benchmark::ClobberMemory();
    }
    Report(state, kPixels);
}
BENCHMARK(BM_ToneTables)->Unit(benchmark::kMillisecond)->UseRealTime();

struct FixedLines {
    unsigned int lines = 1000;
    int Get(unsigned int* out) {
        *out = lines;
        return RC_SUCCESS;
    }
    int Set(unsigned int) { return RC_SUCCESS; }
};

// One evaluation over the whole frame (the raw road runs it every third
// frame).
void BM_AutoExposureEvaluation(benchmark::State& state) {
    const std::vector<unsigned char>& frame = Frame();
    ZoqAutoExposure ae;
    ae.region = ZoqRegion{0, 0, kW, kH};
    ae.maxCount = -1;
    FixedLines lines;
    for (auto _ : state) {
        ae.Start(true);
        benchmark::DoNotOptimize(ae.Evaluate(frame.data(), kW, kH, lines));
    }
    Report(state, kPixels);
}
BENCHMARK(BM_AutoExposureEvaluation)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FlatField(benchmark::State& state) {
    std::vector<unsigned char> frame = Frame();
    ZoqFlatField ff;
    zoqbench::MakeFlatField(&ff);
    for (auto _ : state) {
        ff.Apply(frame.data(), frame.size());
        benchmark::ClobberMemory();
    }
    Report(state, kPixels);
}
BENCHMARK(BM_FlatField)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FocusMeasure(benchmark::State& state) {
    const std::vector<unsigned char>& frame = Frame();
    ZoqAutoFocus af;
    af.region = ZoqRegion{0, 0, kW, kH};
    for (auto _ : state) benchmark::DoNotOptimize(af.Measure(frame.data(), kW, kH));
    Report(state, kPixels);
}
BENCHMARK(BM_FocusMeasure)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CalibrationRemap24(benchmark::State& state) {
    const std::string path = zoqbench::WriteMagnifyingMapFile();
    ZoqCalibrationMap map;
    if (map.Load(path.c_str()) != RC_SUCCESS) state.SkipWithError("map file");
    std::remove(path.c_str());
    map.mode = state.range(0) ? ZOQ_MAPMODE_BILINEAR : ZOQ_MAPMODE_NEAREST;
    std::vector<unsigned char> image(kPixels * 3);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(i * 31);
    for (auto _ : state) {
        map.Remap(image.data(), kW, kH, 3);
        benchmark::ClobberMemory();
    }
    Report(state, kPixels);
}
BENCHMARK(BM_CalibrationRemap24)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("bilinear")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Memcpy(benchmark::State& state) {
    const std::vector<unsigned char>& frame = Frame();
    std::vector<unsigned char> copy(frame.size());
    for (auto _ : state) {
        std::copy(frame.begin(), frame.end(), copy.begin());
        benchmark::ClobberMemory();
    }
    Report(state, kPixels);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
