// The raw-road stages on a full MT9P031 frame (2592 x 1944), reported in
// pixels per second, and the calibration remap of a 24-bit image.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rawroad/ZOQDevice_AE_Control.h"
#include "rawroad/ZOQDevice_AF_Measure.h"
#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"
#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"
#include "calibration/ZOQDevice_Custom_Calibration_Map.h"
#include "rawroad/ZOQDevice_Image_Tone.h"
#include "zoq_errors.h"

namespace {

constexpr int kW = 2592;
constexpr int kH = 1944;
constexpr int64_t kPixels = int64_t{kW} * kH;

// A plausible raw frame: a smooth gradient with texture and a few hot pixels.
const std::vector<unsigned char>& Frame() {
    static const std::vector<unsigned char> frame = [] {
        std::vector<unsigned char> f(kPixels);
        uint32_t seed = 12345;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                seed = seed * 1664525u + 1013904223u;
                int v = 40 + (x + y) / 40 + static_cast<int>(seed >> 28);
                if ((seed >> 8) % 5000 == 0) v = 255;
                f[size_t(y) * kW + x] = static_cast<unsigned char>(v > 255 ? 255 : v);
            }
        return f;
    }();
    return frame;
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
    ff.fov.columnSize = kW;
    ff.fov.rowSize = kH;
    ff.fov.multiFrameNum = 1;
    ZoqFovGeometry(&ff.fov, false);
    std::vector<uint32_t> dark(kPixels, 3), flat(kPixels);
    for (int64_t i = 0; i < kPixels; ++i) flat[i] = 150u + static_cast<uint32_t>(i % 61);
    ff.NewFrame(ZoqFlatField::kDark);
    ff.SetFrameFromSums(ZoqFlatField::kDark, dark.data(), 1);
    ff.NewFrame(ZoqFlatField::kFlat);
    ff.SetFrameFromSums(ZoqFlatField::kFlat, flat.data(), 1);
    ff.MakeGain();
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

// A map that magnifies the image by 1.2 % about its centre, with fractions,
// as a lens correction would.
std::string WriteMapFile() {
    std::vector<unsigned char> file;
    auto le16 = [&](unsigned v) {
        file.push_back(static_cast<unsigned char>(v & 0xFF));
        file.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto le32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    le16(0x4D43);
    le16(0x0100);
    le32(kW);
    le32(kH);
    le32(0);
    le32(2 * kPixels);
    le32(2 * kPixels);
    for (int pass = 0; pass < 4; ++pass)
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const int v = pass < 2 ? x : y;
                const int size = pass < 2 ? kW : kH;
                const int scaled = v * 988 + size * 6;  // 1.2 % zoom, in 1/1000 pixel
                const int at = scaled / 1000;
                le16((pass % 2 == 0) ? static_cast<unsigned>(at < size ? at : size - 1)
                                     : static_cast<unsigned>((scaled % 1000) * 1024 / 1000));
            }
    std::string path = "/tmp/zoq_bench_rawroad_map_XXXXXX";
    int fd = mkstemp(&path[0]);
    if (fd < 0) return {};
    FILE* out = fdopen(fd, "wb");
    fwrite(file.data(), 1, file.size(), out);
    fclose(out);
    return path;
}

void BM_CalibrationRemap24(benchmark::State& state) {
    const std::string path = WriteMapFile();
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
BENCHMARK(BM_CalibrationRemap24)->Arg(1)->Arg(0)->ArgName("bilinear")->Unit(benchmark::kMillisecond)->UseRealTime();

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
