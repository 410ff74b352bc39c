// The program zoqsim-run starts: spawned with the emulation's environment,
// waited for, and handed the signals meant for it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zoqsimrun {

// Starts command[0] (searched in PATH) with command[1..] and this process's
// environment. -1 after a message when it cannot be started.
pid_t SpawnProgram(const std::vector<std::string>& command);

// Waits for the program; while it runs, SIGINT, SIGTERM, SIGHUP and SIGQUIT
// sent to this process go on to it. Returns the exit status to pass on:
// the program's own, or 128 + the signal that ended it.
int WaitForProgram(pid_t pid);

}  // namespace zoqsimrun
