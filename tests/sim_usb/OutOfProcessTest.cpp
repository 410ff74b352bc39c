// A libusb client in another process than the testbed: its memory is only
// reachable through umockdev's socket, not directly.
#include "SimUsbTest.h"

#include <cstdio>
#include <numeric>
#include <sys/wait.h>

using namespace simusb;

namespace {

class OutOfProcess : public SimUsbTest {};

TEST_F(OutOfProcess, ChildProcessWritesAndReadsAFrame) {
    zoqsim::SimDevice& cam = attachScripted();
    const std::vector<uint8_t> frame = pattern(300000, 11);
    scripted(cam).queueFrame(frame);

    const std::string command = std::string(SIM_USB_READER) + " " + std::to_string(cam.busNumber()) + " " +
                                std::to_string(cam.deviceAddress()) + " 300000";
    FILE* child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    char line[64] = {};
    const bool answered = std::fgets(line, sizeof line, child) != nullptr;
    const int status = pclose(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(answered);
    const unsigned long sum = std::accumulate(frame.begin(), frame.end(), 0ul);
    EXPECT_EQ(std::string(line), "300000 " + std::to_string(sum) + "\n");

    const std::vector<zoqsim::ControlRecord> controls = cam.controlRecords();
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0].data, (std::vector<uint8_t>{7, 8, 9}));
    const std::vector<zoqsim::BulkRecord> bulks = cam.bulkRecords();
    ASSERT_EQ(bulks.size(), 1u);
    EXPECT_EQ(bulks[0].actual, 300000u);
}

}  // namespace
