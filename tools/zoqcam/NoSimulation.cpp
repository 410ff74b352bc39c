#include <cstdio>

#include "Simulation.h"

namespace zoqcam {

std::unique_ptr<Simulation> StartSimulation(int, char**, const std::string&) {
    fprintf(stderr, "zoqcam: this build has no camera simulator (configure with "
                    "-DZOQ_BUILD_SIM=ON)\n");
    return nullptr;
}

}  // namespace zoqcam
