#include <benchmark/benchmark.h>

#include "InstantDevice.h"
#include "ZOQCam_Imp_Sensor_MT9P031.h"

namespace {

// A type 53 camera (FPGA 6.5) whose registers read as 0 except the window.
InstantDevice MakeDevice() {
    return InstantDevice(
        53, 0x0305,
        [](unsigned int address) -> unsigned int {
            return address == 0x04 ? 2591 : address == 0x03 ? 1943 : 0;
        },
        [](unsigned int address) -> unsigned int { return address == 128 ? 0xD400 : 0; });
}

void BM_PerCaptureQueries(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamMT9P031 cam(&device, g_ZOQCapability_53);
    IZOQCam* camera = &cam;
    for (auto _ : state) {
        int width = 0, height = 0;
        bool is16 = false;
        int bytes = camera->Cam_GetCaptureBytes();
        camera->Cam_GetCaptureSize(&width, &height);
        camera->Fpga_Get16BitsTransfer(&is16);
        benchmark::DoNotOptimize(bytes + width + height + is16);
    }
}
BENCHMARK(BM_PerCaptureQueries);

void BM_SetterWithCachedValue(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamMT9P031 cam(&device, g_ZOQCapability_53);
    cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_1);
    cam.Sensor_SetGainGlobal(40);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_1));
        benchmark::DoNotOptimize(cam.Sensor_SetGainGlobal(40));
    }
}
BENCHMARK(BM_SetterWithCachedValue);

void BM_ExposureConversions(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamMT9P031 cam(&device, g_ZOQCapability_53);
    float ms = 10.0f;
    for (auto _ : state) {
        unsigned lines = cam.Sensor_GetExposureLinesFromExposureTime(ms);
        benchmark::DoNotOptimize(ms = cam.Sensor_GetExposureTimeFromExposureLines(lines));
    }
}
BENCHMARK(BM_ExposureConversions);

void BM_SetExposureTime(benchmark::State& state) {
    InstantDevice device = MakeDevice();
    CZOQCamMT9P031 cam(&device, g_ZOQCapability_53);
    float ms[2] = {10.0f, 20.0f};
    unsigned i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(cam.Sensor_SetExposureTime(ms[++i & 1]));
}
BENCHMARK(BM_SetExposureTime);

}  // namespace

BENCHMARK_MAIN();
