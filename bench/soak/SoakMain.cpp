// soak_faults: the long fault soak on a simulated camera. Thousands of
// captures with a random fault on about one in ten; prints captures,
// faults, frames lost or corrupted and the growth of RSS, heap and file
// descriptors, and exits with 1 when anything is wrong.
//
//   soak_faults [--captures=N] [--seed=S] [--fault-one-in=N]
//
// The seed (printed) replays a run exactly.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FaultSoak.h"
#include "zoqapi.h"

namespace {

bool Option(const char* arg, const char* name, long* value) {
    const size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0 || arg[n] != '=') return false;
    char* end = nullptr;
    *value = std::strtol(arg + n + 1, &end, 0);
    return *end == '\0' && *value > 0;
}

}  // namespace

int main(int argc, char** argv) {
    zoqsim::relaunchUnderPreload(argc, argv);
    zoqtest::SoakOptions options;
    options.captures = 3000;
    options.seed = 20261208;
    options.baselineReplugs = 32;
    for (int i = 1; i < argc; ++i) {
        long value = 0;
        if (Option(argv[i], "--captures", &value)) {
            options.captures = static_cast<int>(value);
        } else if (Option(argv[i], "--seed", &value)) {
            options.seed = static_cast<uint32_t>(value);
        } else if (Option(argv[i], "--fault-one-in", &value)) {
            options.faultOneIn = static_cast<int>(value);
        } else {
            std::fprintf(stderr, "usage: %s [--captures=N] [--seed=S] [--fault-one-in=N]\n", argv[0]);
            return 2;
        }
    }
    std::vector<std::string> failures;
    {
        zoqsim::Testbed bed;
        zoqsim::CameraConfig config;
        config.deviceType = 52;
        zoqsim::SimCamera& camera = bed.attach(config);
        ZOQ_LogSet(false, nullptr);
        std::printf("seed %u, %d captures, a fault on one in %d\n", options.seed, options.captures,
                    options.faultOneIn);
        const zoqtest::SoakReport report = zoqtest::RunFaultSoak(bed, camera, options);
        std::printf("%s", zoqtest::FormatSoakReport(report).c_str());
        failures = zoqtest::SoakFailures(report, options, zoqtest::SoakLimits{});
        ZOQ_UnInit();
    }
    for (const std::string& failure : failures) std::printf("FAILED: %s\n", failure.c_str());
    return failures.empty() ? 0 : 1;
}
