// Control transfers on endpoint 0 through the real libusb.
#include "SimUsbTest.h"

#include <chrono>

using namespace simusb;
using zoqsim::Outcome;
using zoqsim::SimDevice;

namespace {

class ControlTransfer : public OpenedDeviceTest {};

TEST_F(ControlTransfer, DataStagesArriveIntactInBothDirections) {

    const std::vector<uint8_t> sent = pattern(37, 5);
    EXPECT_EQ(vendorOut(h, kWrite, sent, 0x1234, 0xABCD), 37);
    std::vector<uint8_t> reply(64, 0xEE);
    ASSERT_EQ(vendorIn(h, kReadBack, reply, 0x0102, 0x0304), 37);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), reply.begin()));
    EXPECT_EQ(reply[37], 0xEE);  // nothing past the answer

    const std::vector<zoqsim::UsbSetup> seen = function().requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].bmRequestType, 0x40);
    EXPECT_EQ(seen[0].wValue, 0x1234);
    EXPECT_EQ(seen[0].wIndex, 0xABCD);
    EXPECT_EQ(seen[0].wLength, 37);
    EXPECT_EQ(seen[1].bmRequestType, 0xC0);
    EXPECT_EQ(seen[1].wValue, 0x0102);
    EXPECT_EQ(seen[1].wIndex, 0x0304);
    EXPECT_EQ(seen[1].wLength, 64);

    const std::vector<zoqsim::ControlRecord> records = cam->controlRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].setup.bRequest, kWrite);
    EXPECT_EQ(records[0].data, sent);
    EXPECT_EQ(records[0].outcome, Outcome::Ok);
    EXPECT_EQ(records[1].data, sent);  // as answered: 37 of the 64 asked
    EXPECT_LT(records[0].sequence, records[1].sequence);
    cam->clearRecords();
    EXPECT_TRUE(cam->controlRecords().empty());
}

TEST_F(ControlTransfer, ShortReplyReturnsTheBytesTheFunctionGave) {
    std::vector<uint8_t> reply(5, 0xFF);
    ASSERT_EQ(vendorIn(h, kShortReply, reply, 3), 3);
    EXPECT_EQ(reply, (std::vector<uint8_t>{0, 1, 2, 0xFF, 0xFF}));
    // Asking for less than the function has cuts the answer to wLength.
    std::vector<uint8_t> one(1);
    EXPECT_EQ(vendorIn(h, kShortReply, one, 9), 1);
}

TEST_F(ControlTransfer, UnknownRequestStalls) {
    std::vector<uint8_t> reply(3);
    EXPECT_EQ(vendorIn(h, 0x7F, reply), LIBUSB_ERROR_PIPE);
    EXPECT_EQ(vendorOut(h, 0x7E, {1, 2}), LIBUSB_ERROR_PIPE);
    const std::vector<zoqsim::ControlRecord> records = cam->controlRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].outcome, Outcome::Stall);
    EXPECT_TRUE(records[0].data.empty());
    EXPECT_EQ(records[1].outcome, Outcome::Stall);
    EXPECT_EQ(records[1].data, (std::vector<uint8_t>{1, 2}));  // what the host sent
    // The device still answers afterwards.
    EXPECT_EQ(vendorOut(h, kWrite, {9}), 1);
}

TEST_F(ControlTransfer, TimeOutFaultHoldsTheNextRequestsOnly) {
    cam->timeOutControlTransfers(2);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(vendorOut(h, kWrite, {1, 2, 3}, 0, 0, 30), LIBUSB_ERROR_TIMEOUT);
    std::vector<uint8_t> reply(4);
    EXPECT_EQ(vendorIn(h, kReadBack, reply, 0, 0, 30), LIBUSB_ERROR_TIMEOUT);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_TRUE(function().requests().empty());  // the function never saw them

    EXPECT_EQ(vendorOut(h, kWrite, {7}, 0, 0, 30), 1);
    const std::vector<zoqsim::ControlRecord> records = cam->controlRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].outcome, Outcome::TimedOut);
    EXPECT_EQ(records[0].data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(records[1].outcome, Outcome::TimedOut);
    EXPECT_EQ(records[1].setup.bRequest, kReadBack);
    EXPECT_EQ(records[2].outcome, Outcome::Ok);
}

TEST_F(ControlTransfer, StandardRequestsAreAnsweredFromTheLayout) {
    zoqsim::DeviceLayout layout = zoqsim::cameraLayout(0x0816, 0x0511);
    layout.manufacturer = "ZOQ";
    layout.serial = "SIM-0042";
    SimDevice& cam = bed.attachDevice(std::make_unique<ScriptedFunction>(), layout);
    libusb_device_handle* h = open(cam);
    ASSERT_NE(h, nullptr);

    libusb_device_descriptor desc{};
    ASSERT_EQ(libusb_get_device_descriptor(libusb_get_device(h), &desc), 0);
    unsigned char text[64] = {};
    ASSERT_GT(libusb_get_string_descriptor_ascii(h, desc.iSerialNumber, text, sizeof text), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "SIM-0042");
    ASSERT_GT(libusb_get_string_descriptor_ascii(h, desc.iManufacturer, text, sizeof text), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "ZOQ");
    EXPECT_EQ(desc.iProduct, 0);

    unsigned char raw[64] = {};
    const std::vector<uint8_t> expected = zoqsim::encodeConfigDescriptor(layout.configs[0]);
    ASSERT_EQ(libusb_get_descriptor(h, LIBUSB_DT_CONFIG, 0, raw, sizeof raw), static_cast<int>(expected.size()));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), raw));
    uint8_t config = 0;
    EXPECT_EQ(libusb_control_transfer(h, 0x80, LIBUSB_REQUEST_GET_CONFIGURATION, 0, 0, &config, 1, 100), 1);
    EXPECT_EQ(config, 1);
    EXPECT_TRUE(function().requests().empty());  // none reached the function
}

}  // namespace
