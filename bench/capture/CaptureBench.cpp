// Captures through the whole SDK from a simulated 2592 x 1944 colour camera:
// the transfer through libusb plus the SDK's own work per frame.
#include <benchmark/benchmark.h>

#include <vector>

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
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CaptureRaw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// RGB in Bayer mode `range(0)` with filter mode `range(1)`.
void BM_CaptureRgb(benchmark::State& state) {
    SetWindow(0);
    ZOQ_BayerSetMode(0, static_cast<ZOQ_BAYERMODE>(state.range(0)));
    ZOQ_FilterSetMode(0, static_cast<ZOQ_FILTERMODE>(state.range(1)));
    int width = 0, height = 0, bits = 0;
    ZOQ_CaptureGetSizeEx(0, &width, &height, &bits);
    std::vector<unsigned char> image(static_cast<size_t>(width) * height * bits / 8);
    for (auto _ : state) {
        if (ZOQ_CaptureRgbData(0, image.data()) != RC_SUCCESS) state.SkipWithError("capture");
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    state.counters["Mpixel/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * width * height / 1e6,
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CaptureRgb)
    ->Args({ZOQ_BAYER_GRBG_24_BOTTOMUP, ZOQ_FILTER_FAST_BILINEAR})
    ->Args({ZOQ_BAYER_GRBG_32_BOTTOMUP, ZOQ_FILTER_FAST_BILINEAR})
    ->Args({ZOQ_BAYER_GRBG_24_BOTTOMUP, ZOQ_FILTER_LAPLACIAN})
    ->Args({ZOQ_BAYER_GRBG_GRAY_BOTTOMUP, ZOQ_FILTER_FAST_BILINEAR})
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
