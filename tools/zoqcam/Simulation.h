// --simulate: the tool runs again under zoqsim-run, which attaches simulated
// cameras that the SDK finds as it finds real ones.
//
// CAMERAS lists cameras by device type ("52,53", "52x2", "all"); a camera may
// carry faults for demonstrations, "TYPE:FAULT[:FAULT]":
//   timeout[@F][xC]  frames F to F+C-1 (default the first) never come: the
//                    read times out (zoqsim-run's lost-frame)
//   short[@F][xC]    those frames end early (short-frame)
//   error[xC]        the next C reads fail with a bus error (bulk-error)
//   denied           the camera's device node cannot be opened
//   unplug@MS, replug@MS   unplugged (and plugged in again) after MS ms
#pragma once

#include <string>
#include <vector>

namespace zoqcam {

// zoqsim-run's options for CAMERAS; false with the reason when CAMERAS
// does not follow the grammar above.
bool SimulationOptions(const std::string& cameras, std::vector<std::string>* options,
                       std::string* error);

// Replaces the process with `zoqsim-run OPTIONS -- zoqcam ARGS`, ARGS being
// the arguments less --simulate; `motion` makes the scene move. zoqsim-run
// is looked for beside zoqcam, then in PATH. Returns only when it cannot be
// started, with the exit status, after a message.
int RunSimulated(int argc, char** argv, const std::string& cameras, bool motion);

}  // namespace zoqcam
