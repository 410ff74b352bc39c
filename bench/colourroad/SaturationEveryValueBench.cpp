// The saturation stage against RGBtoHSL1, S x factor and HSLtoRGB1 for every
// one of the 2^24 colours at every non-zero setting, on every vector width
// the processor has: the exhaustive form of the unit tests' check, too slow
// for a test (a few minutes). Reports the colours that differ (0 expected)
// and the time a setting takes.
#include <benchmark/benchmark.h>
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include <atomic>
#include <cstddef>
#include <vector>

#include "colourroad/ZOQDevice_ColourConvert.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_PixelLanes.h"

namespace {

constexpr std::size_t kColours = std::size_t(1) << 24;

void BM_SaturationEveryValueEveryColour(benchmark::State& state) {
    ZoqSetLaneWidth(state.range(0) ? ZoqLaneWidth::kWidest : ZoqLaneWidth::kSse2);
    std::vector<unsigned char> all(kColours * 3);
    for (std::size_t c = 0; c < kColours; ++c) {
        all[c * 3] = static_cast<unsigned char>(c >> 16);
        all[c * 3 + 1] = static_cast<unsigned char>(c >> 8);
        all[c * 3 + 2] = static_cast<unsigned char>(c);
    }
    std::vector<unsigned char> image(all.size());
    long differing = 0;
    int values = 0;
    for (auto _ : state) {
        for (int value = ZoqSaturation::kMin; value <= ZoqSaturation::kMax; ++value) {
            if (value == 0) continue;
            ZoqSaturation saturation;
            saturation.Set(value);
            image = all;
            saturation.Apply(image.data(), 4096, 4096, 24);
            const float factor = saturation.Factor();
            std::atomic<long> bad{0};
            tbb::parallel_for(tbb::blocked_range<std::size_t>(0, kColours, 65536),
                              [&](const tbb::blocked_range<std::size_t>& r) {
                                  long local = 0;
                                  for (std::size_t c = r.begin(); c != r.end(); ++c) {
                                      const unsigned char* in = &all[c * 3];
                                      COLOR_HSL hsl;
                                      COLOR_RGB out;
                                      RGBtoHSL1(COLOR_RGB{in[0], in[1], in[2]}, hsl);
                                      hsl.s *= factor;
                                      HSLtoRGB1(hsl, out);
                                      const unsigned char* got = &image[c * 3];
                                      local +=
                                          out.b != got[0] || out.g != got[1] || out.r != got[2];
                                  }
                                  bad += local;
                              });
            differing += bad;
            ++values;
        }
    }
    ZoqSetLaneWidth(ZoqLaneWidth::kWidest);
    state.counters["values"] = values;
    state.counters["differing"] = static_cast<double>(differing);
    if (differing != 0) state.SkipWithError("colours differ from the conversions");
}
BENCHMARK(BM_SaturationEveryValueEveryColour)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("widest")
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
