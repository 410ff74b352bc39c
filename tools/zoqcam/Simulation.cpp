#include "Simulation.h"

#include <cstdio>
#include <vector>

#include "zoqsim.h"

namespace zoqcam {

namespace {

class SimulatedCameras : public Simulation {
public:
    zoqsim::Testbed bed;
};

}  // namespace

std::unique_ptr<Simulation> StartSimulation(int argc, char** argv, const std::string& cameras) {
    std::vector<zoqsim::CameraConfig> configs;
    std::string error;
    if (!zoqsim::parseCameraList(cameras, configs, error)) {
        fprintf(stderr, "zoqcam: --simulate=%s: %s\n", cameras.c_str(), error.c_str());
        return nullptr;
    }
    // The emulated USB bus needs umockdev's preload library in the process.
    zoqsim::relaunchUnderPreload(argc, argv);
    auto simulation = std::make_unique<SimulatedCameras>();
    zoqsim::attachCameras(simulation->bed, configs);
    return simulation;
}

}  // namespace zoqcam
