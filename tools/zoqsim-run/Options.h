// Command line of zoqsim-run.
#pragma once

#include <string>
#include <vector>

#include "FaultOption.h"
#include "model/CameraModel.h"

namespace zoqsimrun {

struct Options {
    std::vector<zoqsim::CameraConfig> cameras;
    std::vector<zoqsim::FaultOption> faults;
    std::vector<std::string> command;  // PROGRAM ARGS
    double motion = 0.0;               // scene pan, pixels a frame
    bool help = false;
    bool version = false;
};

// Parses argv. False, with the reason in `error`, for a usage error.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error);
void PrintUsage();

}  // namespace zoqsimrun
