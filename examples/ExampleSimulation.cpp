#include "ExampleSimulation.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "zoqsim.h"

namespace {

// Lives until the process ends, after the example's ZOQ_UnInit.
std::unique_ptr<zoqsim::Testbed> g_testbed;

bool IsSimulateOption(const char* arg, std::string* cameras) {
    if (strcmp(arg, "--simulate") == 0) {
        *cameras = "52";
        return true;
    }
    if (strncmp(arg, "--simulate=", 11) == 0) {
        *cameras = arg + 11;
        return true;
    }
    return false;
}

}  // namespace

extern "C" int zoq_example_simulate(int* argc, char** argv) {
    std::string cameras;
    bool simulate = false;
    for (int i = 1; i < *argc; ++i) simulate = IsSimulateOption(argv[i], &cameras) || simulate;
    if (!simulate) return 0;
    std::vector<zoqsim::CameraConfig> configs;
    std::string error;
    if (!zoqsim::parseCameraList(cameras, configs, error)) {
        fprintf(stderr, "--simulate=%s: %s\n", cameras.c_str(), error.c_str());
        return -1;
    }
    zoqsim::relaunchUnderPreload(*argc, argv);  // with the arguments as given
    int kept = 1;
    for (int i = 1; i < *argc; ++i)
        if (!IsSimulateOption(argv[i], &cameras)) argv[kept++] = argv[i];
    *argc = kept;
    argv[kept] = nullptr;
    g_testbed = std::make_unique<zoqsim::Testbed>();
    zoqsim::attachCameras(*g_testbed, configs);
    return 0;
}
