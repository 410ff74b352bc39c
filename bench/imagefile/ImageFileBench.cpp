// Cost of the image writers and their pixel helpers on a 1280 x 960 frame.
// Files go to /dev/null so that the disk does not count.
#include <benchmark/benchmark.h>

#include <vector>

#include "zoqapi.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;

std::vector<unsigned char> Frame(int bytesPerPixel) {
    std::vector<unsigned char> frame(static_cast<size_t>(kWidth) * kHeight * bytesPerPixel);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<unsigned char>(i * 7 + i / 4096);
    return frame;
}

void SetBytes(benchmark::State& state, size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytesPerIteration));
}

void BM_SaveToJpg(benchmark::State& state) {
    const int bits = static_cast<int>(state.range(0));
    auto frame = Frame(bits / 8);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ZOQ_HelperSaveToJpg(frame.data(), kWidth, kHeight, bits, 90, "/dev/null"));
    SetBytes(state, frame.size());
}
BENCHMARK(BM_SaveToJpg)->Arg(8)->Arg(24)->Arg(32)->Unit(benchmark::kMillisecond);

void BM_SaveToBmp(benchmark::State& state) {
    auto frame = Frame(3);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ZOQ_HelperSaveToBmp(frame.data(), kWidth, kHeight, 24, "/dev/null"));
    SetBytes(state, frame.size());
}
BENCHMARK(BM_SaveToBmp)->Unit(benchmark::kMillisecond);

void BM_FlipBmp(benchmark::State& state) {
    auto frame = Frame(3);
    for (auto _ : state) {
        Helper_FlipBmp(frame.data(), kWidth, kHeight, 24);
        benchmark::ClobberMemory();
    }
    SetBytes(state, frame.size());
}
BENCHMARK(BM_FlipBmp)->Unit(benchmark::kMicrosecond);

void BM_BGR24ToRGB24(benchmark::State& state) {
    auto frame = Frame(3);
    for (auto _ : state) {
        Helper_BGR24ToRGB24(frame.data(), kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    SetBytes(state, frame.size());
}
BENCHMARK(BM_BGR24ToRGB24)->Unit(benchmark::kMicrosecond);

void BM_Rgb32ToRgb24(benchmark::State& state) {
    auto src = Frame(4);
    std::vector<unsigned char> dst(static_cast<size_t>(kWidth) * kHeight * 3);
    for (auto _ : state) {
        Helper_Rgb32ToRgb24(src.data(), kWidth, kHeight, dst.data());
        benchmark::ClobberMemory();
    }
    SetBytes(state, src.size());
}
BENCHMARK(BM_Rgb32ToRgb24)->Unit(benchmark::kMicrosecond);

}  // namespace
