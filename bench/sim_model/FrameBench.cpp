// What one 2592 x 1944 frame costs the camera model (trigger, then the whole
// frame in one bulk read) next to a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "CameraModel.h"

namespace {

constexpr std::size_t kFrameBytes = 2592 * 1944;

void BM_ModelFrame(benchmark::State& state) {
    zoqsim::CameraConfig config;
    config.deviceType = 52;
    config.scene.noise = double(state.range(0));
    auto camera = zoqsim::makeCamera(config);
    std::vector<uint8_t> buffer(kFrameBytes);
    const zoqsim::UsbSetup trigger{0xC0, 0xC8, 0, 0, 1};
    uint8_t status = 0;
    // The first frame renders the scene; the loop measures the frames after it.
    camera->control(trigger, &status);
    camera->bulkIn(buffer.data(), buffer.size());
    for (auto _ : state) {
        camera->control(trigger, &status);
        const long n = camera->bulkIn(buffer.data(), buffer.size());
        benchmark::DoNotOptimize(n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_ModelFrame)->Arg(0)->Arg(2)->ArgName("noise");

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint8_t> source(kFrameBytes, 0x5A), buffer(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(buffer.data(), source.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_Memcpy);

// With noise the model cycles through a few precomputed frames: the fair
// baseline copies from as many sources in turn.
void BM_MemcpyCycled(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> sources(4, std::vector<uint8_t>(kFrameBytes, 0x5A));
    std::vector<uint8_t> buffer(kFrameBytes);
    std::size_t next = 0;
    for (auto _ : state) {
        std::memcpy(buffer.data(), sources[next++ % sources.size()].data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_MemcpyCycled);

}  // namespace

BENCHMARK_MAIN();
