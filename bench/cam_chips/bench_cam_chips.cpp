#include <benchmark/benchmark.h>

#include "ZOQCam_Imp_Sensor_IMX250.h"
#include "ZOQCam_Imp_Sensor_MT9V034.h"

namespace {

// Every service succeeds at once; every register reads as 0x10 (an FPGA of
// version 8.0 through register 241).
class InstantDevice : public IZOQDevice {
public:
    int VendorCmd_GetDeviceInformation(unsigned short* type, int* serial, unsigned short* firmware) override {
        *type = 104;
        *serial = 1;
        *firmware = 0x0100;
        return 0;
    }
    int WrSensor(unsigned int, unsigned int) override { return 0; }
    int RdSensor(unsigned int, unsigned int* value) override {
        *value = 0x10;
        return 0;
    }
    int WrFpga(unsigned int, unsigned int) override { return 0; }
    int RdFpga(unsigned int address, unsigned int* value) override {
        *value = address == 0x80 ? 0xE000 : address == 0xF1 ? 0x0800 : 0;
        return 0;
    }
    int SetWorkingMode(unsigned short) override { return 0; }
    int GetWorkingMode(unsigned short* mode) override {
        *mode = 0;
        return 0;
    }
    int SetTriggerDelay(unsigned short) override { return 0; }
    int GetTriggerDelay(unsigned short*) override { return 0; }
    int DownloadLUT(unsigned short, unsigned char*, int) override { return 0; }
    int DownloadGammaLUT(unsigned short, unsigned short*, int) override { return 0; }
};

// A new exposure time every call: SVS, SHS and the strobe pulse are written.
void BM_SonyExposureTime(benchmark::State& state) {
    InstantDevice device;
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
    InstantDevice device;
    CZOQCamMT9V034 cam(&device, g_ZOQCapability_36);
    cam.Sensor_SetGainGlobal(20);
    for (auto _ : state) benchmark::DoNotOptimize(cam.Sensor_SetGainGlobal(20));
}
BENCHMARK(BM_CachedGainSetter);

// A window change: window registers, HMAX, VMAX and the exposure again.
void BM_SonyWindowChange(benchmark::State& state) {
    InstantDevice device;
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
    InstantDevice device;
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
