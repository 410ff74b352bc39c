// Frames per second through the whole SDK from simulated 2592 x 1944 colour
// cameras, each behind a 40 MB/s link (what a USB 2.0 bulk endpoint really
// carries), with the colour pipeline on: fast bilinear demosaic, continuous
// white balance, colour correction and saturation. Compares a stream with
// one capture call at a time, and two cameras streaming at once. Counters:
//   fps        frames per second delivered
//   bus_ratio  fps / the link's limit (bytes per second / frame bytes)
//   cpu_ms     process CPU time per frame (the simulated camera's included)
//   buffer_MB  memory the stream's buffers hold
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "zoqapi.h"
#include "zoqsim.h"
#include "zoqstream.h"

namespace {

constexpr double kLinkBytesPerSecond = 40e6;
constexpr int kCameras = 2;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Session {
    Session() {
        for (int i = 0; i < kCameras; ++i) {
            zoqsim::CameraConfig config;  // device type 52, MT9P031 colour, 2592 x 1944
            config.serial = static_cast<uint8_t>(i + 1);
            config.bandwidth = kLinkBytesPerSecond;
            bed.attach(config).setRecording(false);
        }
        ZOQ_LogSet(false, nullptr);
        ZOQ_Init();
        for (int i = 0; i < ZOQ_DeviceGetCount(); ++i) {
            ZOQ_CaptureSetFieldOfView(i, 0, 0, 2592, 1944, ZOQ_ADDRESSMODE_NORMAL,
                                      ZOQ_ADDRESSMODE_NORMAL);
            ZOQ_FilterSetMode(i, ZOQ_FILTER_FAST_BILINEAR);
            ZOQ_WhiteBalanceSet(i, ZOQ_WB_SOFT_AUTO_CONTINUOUS);
            ZOQ_ColorCorrectionSet(i, ZOQ_CCM_SOFT_PRESET);
            ZOQ_ProcessSaturationSet(i, 40);
        }
    }
    ~Session() { ZOQ_UnInit(); }
    zoqsim::Testbed bed;
};

double FrameBytes(int index) {
    int width = 0, height = 0;
    ZOQ_CaptureGetSize(index, &width, &height);
    return static_cast<double>(width) * height;
}

void Report(benchmark::State& state, double frames, double seconds, double cpuSeconds) {
    const double fps = frames / seconds;
    state.counters["fps"] = fps;
    state.counters["bus_ratio"] = fps / (kLinkBytesPerSecond / FrameBytes(0));
    state.counters["cpu_ms"] = 1000.0 * cpuSeconds / frames;
}

void BM_OneCaptureAtATime(benchmark::State& state) {
    int width = 0, height = 0, bits = 0;
    ZOQ_CaptureGetSizeEx(0, &width, &height, &bits);
    std::vector<unsigned char> image(static_cast<size_t>(width) * height * bits / 8);
    ZOQ_CaptureRgbData(0, image.data());  // tables built, link in step
    const double cpu = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        if (ZOQ_CaptureRgbData(0, image.data()) != RC_SUCCESS) state.SkipWithError("capture");
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    Report(state, static_cast<double>(state.iterations()), seconds.count(), CpuSeconds() - cpu);
}
BENCHMARK(BM_OneCaptureAtATime)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

// Takes `count` frames from a started stream after the first one; the rate
// is measured between the arrival times of the first and the last.
struct Run {
    double frames = 0;
    double seconds = 0;
    int failed = 0;
};

Run TakeFrames(ZOQSTREAM* stream, int count) {
    Run run;
    unsigned long long first = 0, last = 0;
    for (int i = 0; i <= count; ++i) {
        ZOQSTREAM_FRAME* frame = nullptr;
        if (ZOQStream_WaitFrame(stream, 10000, &frame) != RC_SUCCESS) break;
        if (frame->status != RC_SUCCESS) ++run.failed;
        if (i == 0) first = frame->timestampNs;
        last = frame->timestampNs;
        ZOQStream_ReleaseFrame(stream, frame);
    }
    run.frames = static_cast<double>(count);
    run.seconds = static_cast<double>(last - first) / 1e9;
    return run;
}

ZOQSTREAM* OpenStream(int index, int format) {
    ZOQSTREAM_CONFIG config;
    ZOQStream_ConfigInit(&config);
    config.format = format;
    ZOQSTREAM* stream = nullptr;
    ZOQStream_Open(index, &config, &stream);
    return stream;
}

// One camera streaming; range(0) is the format.
void BM_Stream(benchmark::State& state) {
    ZOQSTREAM* stream = OpenStream(0, static_cast<int>(state.range(0)));
    ZOQSTREAM_STATS stats{};
    for (auto _ : state) {
        ZOQStream_Start(stream);
        const double cpu = CpuSeconds();
        Run run = TakeFrames(stream, 40);
        const double cpuSeconds = CpuSeconds() - cpu;
        ZOQStream_GetStats(stream, &stats);
        ZOQStream_Stop(stream);
        if (run.failed > 0) state.SkipWithError("failed frames");
        state.SetIterationTime(run.seconds / run.frames);
        Report(state, run.frames, run.seconds, cpuSeconds);
    }
    state.counters["buffer_MB"] = static_cast<double>(stats.bufferBytes) / 1e6;
    state.counters["dropped"] = static_cast<double>(stats.dropped);
    ZOQStream_Close(stream);
}
BENCHMARK(BM_Stream)
    ->Arg(ZOQSTREAM_FORMAT_PROCESSED)
    ->Arg(ZOQSTREAM_FORMAT_RAW)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Both cameras streaming at once, each taken on a thread of its own; the
// counters are the slower camera's. range(0) is the format.
void BM_TwoStreams(benchmark::State& state) {
    const int format = static_cast<int>(state.range(0));
    ZOQSTREAM* streams[kCameras] = {OpenStream(0, format), OpenStream(1, format)};
    for (auto _ : state) {
        Run runs[kCameras];
        const double cpu = CpuSeconds();
        std::vector<std::thread> takers;
        for (int i = 0; i < kCameras; ++i)
            takers.emplace_back([&, i] {
                ZOQStream_Start(streams[i]);
                runs[i] = TakeFrames(streams[i], 40);
                ZOQStream_Stop(streams[i]);
            });
        for (std::thread& t : takers) t.join();
        const double cpuSeconds = CpuSeconds() - cpu;
        const bool firstSlower = runs[0].seconds > runs[1].seconds;
        const Run& slower = runs[firstSlower ? 0 : 1];
        const Run& faster = runs[firstSlower ? 1 : 0];
        if (runs[0].failed + runs[1].failed > 0) state.SkipWithError("failed frames");
        state.SetIterationTime(slower.seconds / slower.frames);
        Report(state, slower.frames, slower.seconds, cpuSeconds / 2.0);
        state.counters["fps_other"] = faster.frames / faster.seconds;
    }
    for (ZOQSTREAM* stream : streams) ZOQStream_Close(stream);
}
BENCHMARK(BM_TwoStreams)
    ->Arg(ZOQSTREAM_FORMAT_PROCESSED)
    ->Arg(ZOQSTREAM_FORMAT_RAW)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    zoqsim::relaunchUnderPreload(argc, argv);
    benchmark::Initialize(&argc, argv);
    Session session;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
