// --simulate: the tool runs again under zoqsim-run, which attaches simulated
// cameras that the SDK finds as it finds real ones.
#pragma once

#include <string>

namespace zoqcam {

// Replaces the process with `zoqsim-run --cameras=CAMERAS -- zoqcam ARGS`,
// ARGS being the arguments less --simulate. zoqsim-run is looked for beside
// zoqcam, then in PATH. Returns only when it cannot be started, after a
// message.
void RunSimulated(int argc, char** argv, const std::string& cameras);

}  // namespace zoqcam
