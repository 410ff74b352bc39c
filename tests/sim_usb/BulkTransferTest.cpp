// Frame reads on the bulk IN endpoint through the real libusb.
#include "SimUsbTest.h"

#include <chrono>
#include <future>
#include <thread>

using namespace simusb;
using zoqsim::Outcome;
using zoqsim::SimDevice;

namespace {

class BulkTransfer : public OpenedDeviceTest {};

TEST_F(BulkTransfer, ExactShortAndEmptyFrames) {
    const std::vector<uint8_t> full = pattern(4096, 1);
    const std::vector<uint8_t> part = pattern(100, 2);
    function().queueFrame(full);
    function().queueFrame(part);
    function().queueFrame({});

    std::vector<uint8_t> buffer(4096);
    int got = 0;
    ASSERT_EQ(readFrame(h, buffer, got, 500), 0);
    EXPECT_EQ(got, 4096);
    EXPECT_EQ(buffer, full);
    ASSERT_EQ(readFrame(h, buffer, got, 500), 0);
    EXPECT_EQ(got, 100);
    EXPECT_TRUE(std::equal(part.begin(), part.end(), buffer.begin()));
    ASSERT_EQ(readFrame(h, buffer, got, 500), 0);
    EXPECT_EQ(got, 0);

    const std::vector<zoqsim::BulkRecord> records = cam->bulkRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].endpoint, 0x86);
    EXPECT_EQ(records[0].requested, 4096u);
    EXPECT_EQ(records[0].actual, 4096u);
    EXPECT_EQ(records[1].actual, 100u);
    EXPECT_EQ(records[2].actual, 0u);
    EXPECT_EQ(records[2].outcome, Outcome::Ok);
}

TEST_F(BulkTransfer, FullSensorFrameInOneTransfer) {
    const std::vector<uint8_t> frame = pattern(2592 * 1944, 3);
    function().queueFrame(frame);
    std::vector<uint8_t> buffer(frame.size());
    int got = 0;
    ASSERT_EQ(readFrame(h, buffer, got, 5000), 0);
    EXPECT_EQ(got, static_cast<int>(frame.size()));
    EXPECT_TRUE(buffer == frame);
    EXPECT_EQ(cam->bulkRecords().size(), 1u);  // one URB
}

TEST_F(BulkTransfer, ReadWithNothingQueuedTimesOutPromptly) {
    std::vector<uint8_t> buffer(512);
    int got = 0;
    const auto start = Clock::now();
    EXPECT_EQ(readFrame(h, buffer, got, 30), LIBUSB_ERROR_TIMEOUT);
    EXPECT_LT(Clock::now() - start, milliseconds(500));
    EXPECT_EQ(got, 0);
    const std::vector<zoqsim::BulkRecord> records = cam->bulkRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].outcome, Outcome::Discarded);
}

TEST_F(BulkTransfer, TriggerCompletesAWaitingRead) {
    const std::vector<uint8_t> frame = pattern(3000, 4);
    function().stageFrame(frame);

    std::vector<uint8_t> buffer(3000);
    int got = 0;
    const auto start = Clock::now();
    auto read = std::async(std::launch::async, [&] { return readFrame(h, buffer, got, 5000); });
    std::this_thread::sleep_for(milliseconds(50));
    std::vector<uint8_t> status(1, 0xFF);
    EXPECT_EQ(vendorIn(h, kTrigger, status), 1);
    EXPECT_EQ(read.get(), 0);
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
    EXPECT_EQ(got, 3000);
    EXPECT_EQ(buffer, frame);
    const std::vector<zoqsim::ControlRecord> controls = cam->controlRecords();
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_LT(controls[0].sequence, cam->bulkRecords().at(0).sequence);
}

TEST_F(BulkTransfer, TimeOutFaultKeepsTheFrameForTheNextRead) {
    const std::vector<uint8_t> frame = pattern(1000, 5);
    function().queueFrame(frame);
    cam->timeOutBulkTransfers(1);

    std::vector<uint8_t> buffer(1000);
    int got = 0;
    EXPECT_EQ(readFrame(h, buffer, got, 30), LIBUSB_ERROR_TIMEOUT);
    ASSERT_EQ(readFrame(h, buffer, got, 30), 0);
    EXPECT_EQ(got, 1000);
    EXPECT_EQ(buffer, frame);
    const std::vector<zoqsim::BulkRecord> records = cam->bulkRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].outcome, Outcome::TimedOut);
    EXPECT_EQ(records[1].outcome, Outcome::Ok);
}

TEST_F(BulkTransfer, PartialTimeOutReportsTheBytesThatArrived) {
    const std::vector<uint8_t> frame = pattern(4000, 7);
    function().queueFrame(frame);
    cam->timeOutBulkTransfersAfter(1500);

    std::vector<uint8_t> buffer(4000, 0);
    int got = 0;
    EXPECT_EQ(readFrame(h, buffer, got, 30), LIBUSB_ERROR_TIMEOUT);
    EXPECT_EQ(got, 1500);
    EXPECT_TRUE(std::equal(frame.begin(), frame.begin() + 1500, buffer.begin()));
    // The rest of the frame stays queued for the next read.
    ASSERT_EQ(readFrame(h, buffer, got, 30), 0);
    EXPECT_EQ(got, 2500);
    EXPECT_TRUE(std::equal(frame.begin() + 1500, frame.end(), buffer.begin()));
    // Without a frame waiting the fault ends the transfer with nothing.
    cam->timeOutBulkTransfersAfter(1500);
    EXPECT_EQ(readFrame(h, buffer, got, 30), LIBUSB_ERROR_TIMEOUT);
    EXPECT_EQ(got, 0);
    std::vector<zoqsim::BulkRecord> records = cam->bulkRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].outcome, Outcome::TimedOut);
    EXPECT_EQ(records[0].actual, 1500u);
    EXPECT_EQ(records[2].outcome, Outcome::TimedOut);
    EXPECT_EQ(records[2].actual, 0u);
}

TEST_F(BulkTransfer, IoErrorFaultFailsReadsWithoutConsumingTheFrame) {
    const std::vector<uint8_t> frame = pattern(2048, 6);
    function().queueFrame(frame);
    cam->failBulkReads(2);

    std::vector<uint8_t> buffer(2048);
    int got = 0;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(readFrame(h, buffer, got, 200), LIBUSB_ERROR_IO) << i;
        EXPECT_EQ(got, 0) << i;
    }
    ASSERT_EQ(readFrame(h, buffer, got, 200), 0);
    EXPECT_EQ(got, 2048);
    EXPECT_EQ(buffer, frame);
    const std::vector<zoqsim::BulkRecord> records = cam->bulkRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].outcome, Outcome::IoError);
    EXPECT_EQ(records[1].outcome, Outcome::IoError);
    EXPECT_EQ(records[2].outcome, Outcome::Ok);
}

TEST_F(BulkTransfer, TransfersSplitIntoSeveralUrbs) {
    SimDevice& split = attachScripted(0x0816, 0x0512);
    // Without scatter-gather and without the lifted packet size limit libusb
    // cuts bulk transfers into 16 KiB URBs.
    split.setUsbfsCapabilities(zoqsim::kDefaultUsbfsCapabilities & ~(0x08u | 0x04u));
    libusb_device_handle* hs = openClaimed(split);
    ASSERT_NE(hs, nullptr);
    const std::vector<uint8_t> frame = pattern(100000, 7);
    const std::vector<uint8_t> shorter = pattern(20000, 8);
    scripted(split).queueFrame(frame);
    scripted(split).queueFrame(shorter);

    std::vector<uint8_t> buffer(100000);
    int got = 0;
    ASSERT_EQ(readFrame(hs, buffer, got, 1000), 0);
    EXPECT_EQ(got, 100000);
    EXPECT_EQ(buffer, frame);
    std::vector<zoqsim::BulkRecord> records = split.bulkRecords();
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[0].requested, 16384u);
    EXPECT_EQ(records[6].actual, 100000u - 6 * 16384u);

    // A frame that ends early: libusb discards the URBs after the short one.
    split.clearRecords();
    ASSERT_EQ(readFrame(hs, buffer, got, 1000), 0);
    EXPECT_EQ(got, 20000);
    EXPECT_TRUE(std::equal(shorter.begin(), shorter.end(), buffer.begin()));
    records = split.bulkRecords();
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[1].actual, 20000u - 16384u);
    EXPECT_EQ(records[6].outcome, Outcome::Discarded);

    // A time-out fault holds every URB of the transfer and counts once.
    split.timeOutBulkTransfers(1);
    scripted(split).queueFrame(frame);
    EXPECT_EQ(readFrame(hs, buffer, got, 30), LIBUSB_ERROR_TIMEOUT);
    ASSERT_EQ(readFrame(hs, buffer, got, 1000), 0);
    EXPECT_EQ(got, 100000);
}

TEST_F(BulkTransfer, APacedLinkCarriesFramesNoFasterThanItsBandwidth) {
    EXPECT_EQ(cam->bulkBandwidth(), 0.0);  // unlimited unless asked
    cam->setBulkBandwidth(1e6);            // 50 000 bytes take 50 ms
    EXPECT_EQ(cam->bulkBandwidth(), 1e6);
    const std::vector<uint8_t> first = pattern(50000, 9);
    const std::vector<uint8_t> second = pattern(50000, 10);
    function().queueFrame(first);
    function().queueFrame(second);

    std::vector<uint8_t> buffer(50000);
    int got = 0;
    const auto start = Clock::now();
    ASSERT_EQ(readFrame(h, buffer, got, 2000), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(50));
    EXPECT_EQ(buffer, first);
    // The next transfer starts when the link is free again.
    ASSERT_EQ(readFrame(h, buffer, got, 2000), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(100));
    EXPECT_EQ(buffer, second);
    EXPECT_EQ(got, 50000);
    // A read shorter than its time-out still times out when the link is
    // slower than that.
    function().queueFrame(first);
    EXPECT_EQ(readFrame(h, buffer, got, 20), LIBUSB_ERROR_TIMEOUT);
}

TEST_F(BulkTransfer, WritesToTheOutEndpointAreTaken) {
    std::vector<uint8_t> data = pattern(700);
    int sent = 0;
    EXPECT_EQ(libusb_bulk_transfer(h, 0x02, data.data(), 700, &sent, 100), 0);
    EXPECT_EQ(sent, 700);
    // An endpoint the layout does not have.
    EXPECT_EQ(libusb_bulk_transfer(h, 0x85, data.data(), 700, &sent, 100), LIBUSB_ERROR_IO);
}

}  // namespace
