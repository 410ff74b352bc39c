#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "zoqapi.h"
#include "zoqsim.h"

namespace zoqfuzz {

namespace {

// The scratch folder, removed when the fuzzer exits. Its path lives in a
// buffer that outlasts every exit handler.
char g_scratch[4096];

void RemoveScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(g_scratch, ignored);
}

const std::string& ScratchDir() {
    static const std::string dir = [] {
        const std::string pattern =
            (std::filesystem::temp_directory_path() / "zoqfuzz-XXXXXX").string();
        if (pattern.size() >= sizeof g_scratch) std::abort();
        pattern.copy(g_scratch, pattern.size());
        if (mkdtemp(g_scratch) == nullptr) {
            std::perror("zoqfuzz: mkdtemp");
            std::abort();
        }
        std::atexit(RemoveScratch);
        return std::string(g_scratch);
    }();
    return dir;
}

}  // namespace

const char* WriteInput(const uint8_t* data, size_t size) {
    static const std::string path = ScratchDir() + "/input";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror("zoqfuzz: writing the input file");
        std::abort();
    }
    return path.c_str();
}

const char* OutputPath() {
    static const std::string path = ScratchDir() + "/output";
    return path.c_str();
}

void OpenSimulatedCamera(int* argc, char*** argv, int deviceType) {
    zoqsim::relaunchUnderPreload(*argc, *argv);
    // Lives as long as the process: the library is never shut down.
    static zoqsim::Testbed* bed = new zoqsim::Testbed;
    zoqsim::CameraConfig config;
    config.deviceType = deviceType;
    bed->attach(config);
    ZOQ_LogSet(false, nullptr);
    if (ZOQ_Init() != RC_SUCCESS || ZOQ_DeviceGetCount() != 1 ||
        ZOQ_CaptureSetFieldOfView(0, 64, 32, kWidth, kHeight, ZOQ_ADDRESSMODE_NORMAL,
                                  ZOQ_ADDRESSMODE_NORMAL) != RC_SUCCESS) {
        std::fprintf(stderr, "zoqfuzz: the simulated camera %d did not open\n", deviceType);
        std::abort();
    }
    // The seed corpora are made for this window (make_seeds.py).
    int width = 0, height = 0;
    if (ZOQ_CaptureGetSize(0, &width, &height) != RC_SUCCESS || width != kWidth ||
        height != kHeight) {
        std::fprintf(stderr, "zoqfuzz: the capture window is %d x %d, not %d x %d\n", width,
                     height, kWidth, kHeight);
        std::abort();
    }
    ZOQ_CaptureSetTimeOut(0, 300);
}

namespace {

size_t Pixels() {
    int width = 0, height = 0;
    if (ZOQ_CaptureGetSize(0, &width, &height) != RC_SUCCESS || width <= 0 || height <= 0)
        std::abort();
    return size_t(width) * size_t(height);
}

}  // namespace

size_t RawBytes() {
    return 2 * Pixels();
}

size_t RgbBytes(int bitCount) {
    return Pixels() * size_t(bitCount / 8);
}

}  // namespace zoqfuzz
