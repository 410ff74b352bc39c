// A few hundred captures with a random fault on about one in ten: no frame
// reported as good may differ from the camera's, every fault is followed by
// a good frame, and the library keeps no memory or descriptors, replugs at
// new addresses included. The seed is fixed and printed for replays
// (bench/soak runs the long version).
#include <gtest/gtest.h>

#include <iostream>

#include "FaultSoak.h"
#include "SimulatedCameraTest.h"

namespace {

constexpr uint32_t kSeed = 20261208;

class FaultSoak : public zoqtest::SimulatedCameraTest {};

TEST_F(FaultSoak, EveryFaultIsFollowedByTheCamerasFrameAndNothingIsKept) {
    zoqsim::SimDevice& camera = Attach(52, 3);
    zoqtest::SoakOptions options;
    options.seed = kSeed;
    options.captures = 300;
    std::cout << "fault soak: seed " << options.seed << ", " << options.captures << " captures\n";
    const zoqtest::SoakReport report = zoqtest::RunFaultSoak(m_bed, camera, options);
    std::cout << zoqtest::FormatSoakReport(report);
    EXPECT_GE(report.faults, 20);
    for (const std::string& failure :
         zoqtest::SoakFailures(report, options, zoqtest::SoakLimits{}))
        ADD_FAILURE() << failure << " (seed " << options.seed << ")";
}

}  // namespace
