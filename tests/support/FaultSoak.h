// A fault soak: many captures from one simulated camera with a random fault
// on some of them (every fault the simulator can put on a capture, unplugs
// and replugs at new addresses included). It counts what a user would
// notice: frames reported as good that are not the camera's frame, faults
// after which no good frame comes, and memory or file descriptors that the
// library keeps. Shared by the short CTest suite (tests/soak) and the long
// run (bench/soak); both link zoqsim_interpose, for the descriptor fault.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "zoqsim.h"

namespace zoqtest {

// What the process holds at one moment.
struct SoakResources {
    long rssKiB = 0;
    long long heapBytes = 0;  // in use by the allocator (ASan's when present)
    int fds = 0;
};

SoakResources MeasureResources();

struct SoakOptions {
    uint32_t seed = 1;
    int captures = 300;
    int faultOneIn = 10;  // a capture carries a fault with this odds
    int warmUp = 20;      // fault-free captures before resources are measured
    bool quiet = true;    // the library's console lines go to /dev/null
    // Replugs at new addresses made while the library is started but idle,
    // each new node opened and closed once with plain libusb, then as many
    // opens of one node, before the warm-up: what the USB stack (libusb and
    // the emulation) keeps per device node and per open, the baseline of the
    // growth allowed.
    int baselineReplugs = 8;
};

struct SoakReport {
    int captures = 0;
    int goodCaptures = 0;
    int faults = 0;
    std::map<std::string, int> faultsByKind;
    int faultedCapturesFailed = 0;  // a fault cost its frame (expected)
    int corrupted = 0;    // reported good but not the camera's frame
    int lost = 0;         // a capture without a fault failed
    int unrecovered = 0;  // the capture after a fault was not good
    int framesLeftWaiting = 0;  // captures after which a frame waited in the camera
    int replugs = 0;
    int newAddresses = 0;
    SoakResources baselineStart;      // before the baseline's replugs
    SoakResources baselineReplugged;  // after them, before its opens
    SoakResources baselineEnd;
    SoakResources start;  // after the warm-up
    SoakResources end;
    std::vector<std::string> problems;  // the first few, for the failure message
};

// Runs the soak on `camera` (attached to `bed`, the only camera, library not
// started): starts the library, captures, and leaves it running for the
// caller to shut down.
SoakReport RunFaultSoak(zoqsim::Testbed& bed, zoqsim::SimDevice& camera, const SoakOptions& options);

// Growth beyond which memory or descriptors count as kept, on top of what
// the emulation keeps for the soak's replugs (from a baseline run).
struct SoakLimits {
    long rssKiB = 4096;
    long long heapBytes = 256 << 10;
    int fds = 1;
};

// What is wrong with a soak: lost or corrupted frames, faults without a good
// frame after them, frames left waiting in the camera, a fault kind that
// never came up, and growth of memory or descriptors beyond `limits` plus
// the baseline's share per replug. Empty when all is well.
std::vector<std::string> SoakFailures(const SoakReport& report, const SoakOptions& options,
                                      const SoakLimits& limits);

// The report as lines of text: captures, faults by kind, frames lost or
// corrupted, resources at the start and the end and around the baseline.
std::string FormatSoakReport(const SoakReport& report);

}  // namespace zoqtest
