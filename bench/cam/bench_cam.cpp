#include <benchmark/benchmark.h>

#include "ZOQCam_Imp_Sensor_MT9P031.h"

namespace {

// Every service succeeds at once; registers read as 0 except the window.
class InstantDevice : public IZOQDevice {
public:
    int VendorCmd_GetDeviceInformation(unsigned short* type, int* serial, unsigned short* firmware) override {
        *type = 53;
        *serial = 1;
        *firmware = 0x0305;
        return 0;
    }
    int WrSensor(unsigned int, unsigned int) override { return 0; }
    int RdSensor(unsigned int address, unsigned int* value) override {
        *value = address == 0x04 ? 2591 : address == 0x03 ? 1943 : 0;
        return 0;
    }
    int WrFpga(unsigned int, unsigned int) override { return 0; }
    int RdFpga(unsigned int address, unsigned int* value) override {
        *value = address == 128 ? 0xD400 : 0;  // FPGA 6.5
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

void BM_PerCaptureQueries(benchmark::State& state) {
    InstantDevice device;
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
    InstantDevice device;
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
    InstantDevice device;
    CZOQCamMT9P031 cam(&device, g_ZOQCapability_53);
    float ms = 10.0f;
    for (auto _ : state) {
        unsigned lines = cam.Sensor_GetExposureLinesFromExposureTime(ms);
        benchmark::DoNotOptimize(ms = cam.Sensor_GetExposureTimeFromExposureLines(lines));
    }
}
BENCHMARK(BM_ExposureConversions);

void BM_SetExposureTime(benchmark::State& state) {
    InstantDevice device;
    CZOQCamMT9P031 cam(&device, g_ZOQCapability_53);
    float ms[2] = {10.0f, 20.0f};
    unsigned i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(cam.Sensor_SetExposureTime(ms[++i & 1]));
}
BENCHMARK(BM_SetExposureTime);

}  // namespace

BENCHMARK_MAIN();
