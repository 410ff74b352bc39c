#include <benchmark/benchmark.h>

#include "InstantDevice.h"
#include "ZOQCam_Imp_Sensor_IMX250.h"
#include "ZOQCam_Imp_Sensor_MT9V034.h"

namespace {

// A type 104 camera whose sensor registers read as 0x10 and whose FPGA
// reports version 8.0 through register 241.
InstantDevice MakeDevice() {
    return InstantDevice(
        104, 0x0100, [](unsigned int) -> unsigned int { return 0x10; },
        [](unsigned int address) -> unsigned int {
            return address == 0x80 ? 0xE000 : address == 0xF1 ? 0x0800 : 0;
        });
}

// A new exposure time every call: SVS, SHS and the strobe pulse are written.
void BM_SonyExposureTime(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamIMX250 cam(&device, g_ZOQCapability_104);
    cam.Sensor_SetFov(0, 0, 2464, 2056, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL);
    float ms = 1.0f;
    for (auto _ : state) {
        ms = ms > 50.0f ? 1.0f : ms + 0.7f;
        benchmark::DoNotOptimize(cam.Sensor_SetExposureTime(ms));
    }
}
BENCHMARK(BM_SonyExposureTime);

// The same gain again: found in the cache, nothing written.
void BM_CachedGainSetter(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamMT9V034 cam(&device, g_ZOQCapability_36);
    cam.Sensor_SetGainGlobal(20);
    for (auto _ : state) benchmark::DoNotOptimize(cam.Sensor_SetGainGlobal(20));
}
BENCHMARK(BM_CachedGainSetter);

// A window change: window registers, HMAX, VMAX and the exposure again.
void BM_SonyWindowChange(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamIMX250 cam(&device, g_ZOQCapability_104);
    cam.Sensor_SetExposureTime(10.0f);
    unsigned columns = 1000;
    for (auto _ : state) {
        columns = columns == 1000 ? 2400 : 1000;
        benchmark::DoNotOptimize(cam.Sensor_SetFov(0, 0, columns, 1000, ZOQ_ADDRESSMODE_NORMAL,
                                                   ZOQ_ADDRESSMODE_NORMAL));
    }
}
BENCHMARK(BM_SonyWindowChange);

// The conversions the main library calls around auto exposure.
void BM_MT9V034Conversions(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamMT9V034 cam(&device, g_ZOQCapability_36);
    float ms = 1.0f;
    for (auto _ : state) {
        ms = ms > 50.0f ? 1.0f : ms + 0.7f;
        benchmark::DoNotOptimize(cam.Sensor_GetExposureTimeFromExposureLines(
            cam.Sensor_GetExposureLinesFromExposureTime(ms)));
    }
}
BENCHMARK(BM_MT9V034Conversions);

}  // namespace

BENCHMARK_MAIN();
