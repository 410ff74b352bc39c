// Captures through the whole SDK from a simulated 2592 x 1944 colour camera:
// the transfer through libusb plus the SDK's own work per frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchFrames.h"
#include "zoqapi.h"
#include "zoqsim.h"

namespace {

struct Session {
    Session() {
        zoqsim::CameraConfig config;  // device type 52, MT9P031 colour
        bed.attach(config);
        ZOQ_LogSet(false, nullptr);
        ZOQ_Init();
    }
    ~Session() { ZOQ_UnInit(); }
    zoqsim::Testbed bed;
};

Session* g_session = nullptr;

void SetWindow(int addressMode) {
    auto mode = static_cast<ZOQ_ADDRESSMODE>(addressMode);
    ZOQ_CaptureSetFieldOfView(0, 0, 0, 2592, 1944, mode, mode);
}

void BM_CaptureRaw(benchmark::State& state) {
    SetWindow(static_cast<int>(state.range(0)));
    int width = 0, height = 0;
    ZOQ_CaptureGetSize(0, &width, &height);
    std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
    for (auto _ : state) {
        if (ZOQ_CaptureRawData(0, frame.data()) != RC_SUCCESS) state.SkipWithError("capture");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(frame.size()));
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CaptureRaw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// RGB captures of the whole window in Bayer mode `mode` with filter mode
// `filter`, with whatever colour stages are on.
void CaptureRgb(benchmark::State& state, int mode, int filter) {
    SetWindow(0);
    ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(mode));
    ZOQ_FilterSetMode(0, static_cast<ZOQ_FILTERMODE>(filter));
    int width = 0, height = 0, bits = 0;
    ZOQ_CaptureGetSizeEx(0, &width, &height, &bits);
    std::vector<unsigned char> image(static_cast<size_t>(width) * height * bits / 8);
    for (auto _ : state) {
        if (ZOQ_CaptureRgbData(0, image.data()) != RC_SUCCESS) state.SkipWithError("capture");
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["Mpixel/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * width * height / 1e6,
                           benchmark::Counter::kIsRate);
}

// RGB in Bayer mode `range(0)` with filter mode `range(1)`.
void BM_CaptureRgb(benchmark::State& state) {
    CaptureRgb(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}
BENCHMARK(BM_CaptureRgb)
    ->Args({ZOQ_BAYER_GRBG_24_BOTTOMUP, ZOQ_FILTER_FAST_BILINEAR})
    ->Args({ZOQ_BAYER_GRBG_32_BOTTOMUP, ZOQ_FILTER_FAST_BILINEAR})
    ->Args({ZOQ_BAYER_GRBG_24_BOTTOMUP, ZOQ_FILTER_LAPLACIAN})
    ->Args({ZOQ_BAYER_GRBG_GRAY_BOTTOMUP, ZOQ_FILTER_FAST_BILINEAR})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// RGB with every colour stage on, in the way each changes 24-bit pixels:
// white-balance gains, a colour-correction matrix, saturation,
// hue/saturation/lightness (hsl:1; hsl:0 without it) and a calibration map
// that magnifies the frame. Compare with BM_CaptureRaw/0: the same frame as
// it arrives.
void BM_CaptureRgbEveryColourStage(benchmark::State& state) {
    ZOQ_WhiteBalanceSet(0, ZOQ_WB_SOFT_MANUAL);
    float gains[3] = {1.25f, 1.0f, 1.4f};
    ZOQ_WhiteBalanceMatrixSet(0, gains);
    ZOQ_ColorCorrectionSet(0, ZOQ_CCM_SOFT_MANUAL);
    float matrix[3][3] = {
        {1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}};
    ZOQ_ColorCorrectionMatrixSet(0, matrix);
    ZOQ_ProcessSaturationSet(0, 40);
    ZOQ_HueSaturationSetEnable(0, state.range(0) != 0);
    ZOQ_HueSaturationSet(0, ZOQ_HUE_MASTER, 20, 10, -30);
    const std::string map = zoqbench::WriteMagnifyingMapFile();
    if (ZOQ_LoadCalibrationMapFile(0, map.c_str()) != RC_SUCCESS) state.SkipWithError("map");
    std::remove(map.c_str());
    ZOQ_CaptureSetCalibration(0, true);
    CaptureRgb(state, ZOQ_BAYER_GRBG_24_BOTTOMUP, ZOQ_FILTER_FAST_BILINEAR);
    ZOQ_CaptureSetCalibration(0, false);
    ZOQ_LoadCalibrationMapFile(0, nullptr);
    ZOQ_HueSaturationSetEnable(0, false);
    ZOQ_ProcessSaturationSet(0, 0);
    ZOQ_ColorCorrectionSet(0, ZOQ_CCM_OFF);
    ZOQ_WhiteBalanceSet(0, ZOQ_WB_OFF);
}
BENCHMARK(BM_CaptureRgbEveryColourStage)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("hsl")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    zoqsim::relaunchUnderPreload(argc, argv);
    benchmark::Initialize(&argc, argv);
    Session session;
    g_session = &session;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
