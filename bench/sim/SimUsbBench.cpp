// Frames per second and MB/s of a 2592 x 1944 8-bit frame (5,038,848 bytes)
// read through the real libusb from the simulated bus: from a function that
// only copies a stored frame, and from the camera model (trigger, then read).
// The model's own cost per frame, without USB, is bench_sim_model's.
// Restarts itself under umockdev's preload library when needed.
#include <zoqsim.h>

#include <benchmark/benchmark.h>
#include <libusb.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kFrameBytes = 2592 * 1944;
constexpr unsigned kTimeoutMs = 2000;

// Always has the same frame ready: the cheapest device there can be.
class StoredFrame final : public zoqsim::UsbFunction {
public:
    StoredFrame() : m_frame(kFrameBytes, 0x5A) {}
    int control(const zoqsim::UsbSetup&, uint8_t*) override { return -1; }
    long bulkIn(uint8_t* dst, std::size_t len) override {
        const std::size_t n = std::min(len, m_frame.size());
        std::memcpy(dst, m_frame.data(), n);
        return static_cast<long>(n);
    }
    bool bulkReady() const override { return true; }

private:
    std::vector<uint8_t> m_frame;
};

// libusb on the testbed's only device, opened and claimed.
class Host {
public:
    explicit Host(zoqsim::SimDevice& device) {
        device.setRecording(false);
        libusb_init(&m_ctx);
        libusb_device** list = nullptr;
        if (libusb_get_device_list(m_ctx, &list) == 1 && libusb_open(list[0], &m_handle) == 0)
            libusb_claim_interface(m_handle, 0);
        libusb_free_device_list(list, 1);
    }
    ~Host() {
        if (m_handle != nullptr)
            libusb_close(m_handle);
        libusb_exit(m_ctx);
    }
    libusb_device_handle* handle() const { return m_handle; }

private:
    libusb_context* m_ctx = nullptr;
    libusb_device_handle* m_handle = nullptr;
};

bool readFrame(benchmark::State& state, libusb_device_handle* h, std::vector<uint8_t>& buffer) {
    int got = 0;
    const int rc = libusb_bulk_transfer(h, 0x86, buffer.data(), static_cast<int>(buffer.size()), &got, kTimeoutMs);
    if (rc != 0 || got != static_cast<int>(buffer.size())) {
        state.SkipWithError("bulk read failed");
        return false;
    }
    return true;
}

void reportFrames(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kFrameBytes));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));  // frames
}

void BM_StoredFrameThroughLibusb(benchmark::State& state) {
    zoqsim::Testbed bed;
    Host host(bed.attachDevice(std::make_unique<StoredFrame>(), 0x0816, 0x1A13));
    std::vector<uint8_t> buffer(kFrameBytes);
    if (host.handle() == nullptr)
        state.SkipWithError("cannot open the simulated device");
    for (auto _ : state)
        if (host.handle() == nullptr || !readFrame(state, host.handle(), buffer))
            break;
    reportFrames(state);
}
BENCHMARK(BM_StoredFrameThroughLibusb)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CameraModelThroughLibusb(benchmark::State& state) {
    zoqsim::Testbed bed;
    zoqsim::CameraConfig config;
    config.deviceType = 52;  // MT9P031: 2592 x 1944 at power-on
    zoqsim::SimCamera& cam = bed.attach(config);
    Host host(cam);
    std::vector<uint8_t> buffer(cam.model().geometry().bytes());
    if (host.handle() == nullptr || buffer.size() != kFrameBytes)
        state.SkipWithError("cannot open the simulated camera");
    uint8_t status = 0xFF;
    for (auto _ : state) {
        if (host.handle() == nullptr ||
            libusb_control_transfer(host.handle(), 0xC0, 0xC8, 0, 0, &status, 1, kTimeoutMs) != 1 ||
            !readFrame(state, host.handle(), buffer))
            break;
    }
    reportFrames(state);
}
BENCHMARK(BM_CameraModelThroughLibusb)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    zoqsim::relaunchUnderPreload(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
