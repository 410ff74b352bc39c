// Simulated cameras for --simulate: the tool runs against them exactly as
// against attached cameras.
#pragma once

#include <memory>
#include <string>

namespace zoqcam {

class Simulation {
public:
    virtual ~Simulation() = default;
};

// Attaches the simulated cameras of a list such as "52,53" or "52x2". May
// start the program again under the USB emulation first. Null (after a
// message) when the simulation cannot start.
std::unique_ptr<Simulation> StartSimulation(int argc, char** argv, const std::string& cameras);

}  // namespace zoqcam
