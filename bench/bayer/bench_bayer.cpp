// Throughput of the demosaic routines in megapixels per second, both builds
// side by side (each loaded with RTLD_LOCAL, as they export the same names),
// with memcpy of the output as the bandwidth floor and OpenCV's cvtColor on
// the same frame with the same thread count as the reference point.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if ZOQ_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr int kWidth = 2592;
constexpr int kHeight = 1944;
constexpr std::size_t kPixels = static_cast<std::size_t>(kWidth) * kHeight;

using Colour8Fn = int (*)(unsigned char*, int, int, unsigned char*, unsigned short);
using Colour16Fn = int (*)(unsigned short*, int, int, unsigned short*, unsigned short);
using Gray8Fn = int (*)(unsigned char*, int, int, unsigned char*);

// A synthetic RGGB frame: smooth colour gradients with fine texture and
// noise, so that the edge-directed algorithms meet all their branches.
const std::vector<std::uint8_t>& Frame() {
    static const std::vector<std::uint8_t> frame = [] {
        std::vector<std::uint8_t> f(kPixels);
        std::uint32_t noise = 12345;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                noise = noise * 1664525u + 1013904223u;
                const bool red = y % 2 == 0 && x % 2 == 0, blue = y % 2 == 1 && x % 2 == 1;
                const double base = red ? 0.3 + 0.6 * x / kWidth : blue ? 0.8 - 0.5 * y / kHeight : 0.5;
                const double texture = 0.15 * std::sin(x * 0.05) * std::cos(y * 0.031);
                const int v = static_cast<int>(255.0 * (base + texture)) + static_cast<int>(noise >> 28) - 8;
                f[static_cast<std::size_t>(y) * kWidth + x] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
            }
        }
        return f;
    }();
    return frame;
}

void SetRate(benchmark::State& state) {
    state.counters["Mpix/s"] = benchmark::Counter(static_cast<double>(kPixels) * state.iterations() / 1e6,
                                                  benchmark::Counter::kIsRate);
}

void* Load(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
        std::exit(1);
    }
    return handle;
}

void* Symbol(void* library, const char* name) {
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) {
        std::fprintf(stderr, "missing symbol %s\n", name);
        std::exit(1);
    }
    return symbol;
}

// Runs one routine on the frame (as samples of type T) into an output of
// `channels` samples a pixel; call(src, dst) calls it.
template <typename T, typename Call>
void Demosaic(benchmark::State& state, int channels, Call call) {
    std::vector<T> src(Frame().begin(), Frame().end());
    std::vector<T> dst(kPixels * channels);
    for (auto _ : state) {
        call(src.data(), dst.data());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

void Colour8(benchmark::State& state, Colour8Fn fn) {
    Demosaic<unsigned char>(state, 3, [fn](unsigned char* src, unsigned char* dst) {
        fn(src, kWidth, kHeight, dst, 24);
    });
}

void Colour16(benchmark::State& state, Colour16Fn fn) {
    Demosaic<unsigned short>(state, 3, [fn](unsigned short* src, unsigned short* dst) {
        fn(src, kWidth, kHeight, dst, 24);
    });
}

void Gray8(benchmark::State& state, Gray8Fn fn) {
    Demosaic<unsigned char>(state, 1, [fn](unsigned char* src, unsigned char* dst) { fn(src, kWidth, kHeight, dst); });
}

void Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> src(kPixels * 3, 1);
    std::vector<std::uint8_t> dst(kPixels * 3);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), dst.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

#if ZOQ_BENCH_OPENCV
void OpenCv(benchmark::State& state, int code, int threads) {
    cv::setNumThreads(threads);
    std::vector<std::uint8_t> frame = Frame();
    const cv::Mat src(kHeight, kWidth, CV_8UC1, frame.data());
    cv::Mat dst(kHeight, kWidth, CV_8UC3);
    for (auto _ : state) {
        cv::cvtColor(src, dst, code);
        benchmark::DoNotOptimize(dst.data);
        benchmark::ClobberMemory();
    }
    SetRate(state);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    struct Build {
        const char* name;
        void* library;
    };
    const Build builds[] = {{"serial", Load(ZOQ_BAYER_SERIAL_LIBRARY)}, {"parallel", Load(ZOQ_BAYER_PARALLEL_LIBRARY)}};
    const char* const colour[] = {"ZOQCFA_NearestNeighbor_RGGB", "ZOQCFA_Bilinear_RGGB", "ZOQCFA_FastBilinear_RGGB",
                                  "ZOQCFA_EdgeSensing1_RGGB",    "ZOQCFA_EdgeSensing1_BGGR", "ZOQCFA_SmoothHue_RGGB",
                                  "ZOQCFA_Laplacian_RGGB"};
    for (const Build& build : builds) {
        const std::string suffix = std::string("/") + build.name;
        for (const char* name : colour) {
            benchmark::RegisterBenchmark((name + suffix).c_str(), Colour8,
                                         reinterpret_cast<Colour8Fn>(Symbol(build.library, name)))
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("ZOQCFA_NearestNeighbor_RGGB_16Bits" + suffix).c_str(), Colour16,
                                     reinterpret_cast<Colour16Fn>(Symbol(build.library, "ZOQCFA_NearestNeighbor_RGGB_16Bits")))
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("ZOQCFA_NearestNeighbor_RGGB_Gray" + suffix).c_str(), Gray8,
                                     reinterpret_cast<Gray8Fn>(Symbol(build.library, "ZOQCFA_NearestNeighbor_RGGB_Gray")))
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("memcpy_24bit_output", Memcpy)->UseRealTime()->Unit(benchmark::kMillisecond);
#if ZOQ_BENCH_OPENCV
    // A camera's RGGB frame is OpenCV's BayerBG.
    const struct {
        const char* name;
        int code;
    } conversions[] = {{"cvtColor_BayerBG2BGR", cv::COLOR_BayerBG2BGR},
                       {"cvtColor_BayerBG2BGR_EA", cv::COLOR_BayerBG2BGR_EA},
                       {"cvtColor_BayerBG2BGR_VNG", cv::COLOR_BayerBG2BGR_VNG}};
    for (const int threads : {1, 2}) {
        for (const auto& conversion : conversions) {
            benchmark::RegisterBenchmark((std::string(conversion.name) + "/threads:" + std::to_string(threads)).c_str(),
                                         OpenCv, conversion.code, threads)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
