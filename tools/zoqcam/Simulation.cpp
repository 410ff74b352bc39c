#include "Simulation.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace zoqcam {

namespace {

std::string SelfPath() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

bool IsSimulateOption(const char* arg) {
    return strcmp(arg, "--simulate") == 0 || strncmp(arg, "--simulate=", 11) == 0;
}

}  // namespace

void RunSimulated(int argc, char** argv, const std::string& cameras) {
    const std::string self = SelfPath();
    if (self.empty()) {
        fprintf(stderr, "zoqcam: cannot find its own program file: %s\n", strerror(errno));
        return;
    }
    const std::string beside = self.substr(0, self.rfind('/') + 1) + "zoqsim-run";
    const std::string runner = access(beside.c_str(), X_OK) == 0 ? beside : "zoqsim-run";
    const std::string camerasOption = "--cameras=" + cameras;
    std::vector<char*> args = {const_cast<char*>(runner.c_str()),
                               const_cast<char*>(camerasOption.c_str()), const_cast<char*>("--"),
                               const_cast<char*>(self.c_str())};
    for (int i = 1; i < argc; ++i)
        if (!IsSimulateOption(argv[i])) args.push_back(argv[i]);
    args.push_back(nullptr);
    execvp(args[0], args.data());
    fprintf(stderr, "zoqcam: --simulate needs zoqsim-run (the simulator, in the SDK's tools): %s\n",
            strerror(errno));
}

}  // namespace zoqcam
