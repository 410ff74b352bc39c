// Unplugging, plugging in again and swapping devices under a live libusb.
#include "SimUsbTest.h"

#include <chrono>
#include <future>
#include <thread>

using namespace simusb;
using zoqsim::Outcome;
using zoqsim::SimDevice;

namespace {

class Hotplug : public SimUsbTest {};

bool listedAt(const std::vector<Listed>& listed, const SimDevice& device) {
    for (const Listed& l : listed)
        if (l.bus == device.busNumber() && l.address == device.deviceAddress())
            return true;
    return false;
}

TEST_F(Hotplug, UnpluggedDeviceLeavesTheListAndItsHandleFails) {
    SimDevice& stays = attachScripted();
    SimDevice& goes = attachScripted(0x0816, 0x0512);
    libusb_device_handle* h = openClaimed(goes);
    ASSERT_NE(h, nullptr);

    bed.unplug(goes);
    EXPECT_FALSE(goes.plugged());
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_TRUE(listedAt(listed, stays));
    EXPECT_EQ(bed.devices(), std::vector<SimDevice*>{&stays});

    std::vector<uint8_t> reply(3);
    EXPECT_EQ(vendorIn(h, kReadBack, reply), LIBUSB_ERROR_NO_DEVICE);
    EXPECT_EQ(vendorOut(h, kWrite, {1}), LIBUSB_ERROR_NO_DEVICE);
    std::vector<uint8_t> buffer(512);
    int got = 0;
    EXPECT_EQ(readFrame(h, buffer, got, 100), LIBUSB_ERROR_NO_DEVICE);
    EXPECT_EQ(libusb_claim_interface(h, 0), LIBUSB_ERROR_NO_DEVICE);
    EXPECT_TRUE(scripted(goes).requests().empty());
    bed.unplug(goes);  // already gone: nothing happens
}

TEST_F(Hotplug, UnplugEndsAWaitingRead) {
    SimDevice& cam = attachScripted();
    libusb_device_handle* h = openClaimed(cam);
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> buffer(4096);
    int got = 0;
    const auto start = Clock::now();
    auto read = std::async(std::launch::async, [&] { return readFrame(h, buffer, got, 5000); });
    std::this_thread::sleep_for(milliseconds(50));
    bed.unplug(cam);
    EXPECT_EQ(read.get(), LIBUSB_ERROR_NO_DEVICE);
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
    const std::vector<zoqsim::BulkRecord> records = cam.bulkRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].outcome, Outcome::NoDevice);
}

TEST_F(Hotplug, ReplugAtTheSameAddressPowersOnAndComesFirst) {
    SimDevice& cam = attachScripted();
    SimDevice& other = attachScripted(0x0816, 0x0512);
    libusb_device_handle* old = openClaimed(cam);
    ASSERT_NE(old, nullptr);
    scripted(cam).queueFrame(pattern(10));
    const zoqsim::UsbAddress before = cam.address();

    bed.replug(cam);
    EXPECT_EQ(cam.address(), before);
    EXPECT_EQ(scripted(cam).powerOns(), 1);
    EXPECT_FALSE(scripted(cam).bulkReady());  // power-on dropped the frame
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].address, before.address);
    EXPECT_EQ(listed[1].address, other.deviceAddress());
    EXPECT_EQ(bed.devices(), (std::vector<SimDevice*>{&cam, &other}));

    // The handle from before the unplug stays dead; a new one works.
    EXPECT_EQ(vendorOut(old, kWrite, {1}), LIBUSB_ERROR_NO_DEVICE);
    libusb_device_handle* fresh = openClaimed(cam);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(vendorOut(fresh, kWrite, {1, 2}), 2);
}

TEST_F(Hotplug, ReplugAtANewAddress) {
    SimDevice& cam = attachScripted();
    ASSERT_EQ(list().size(), 1u);
    const zoqsim::UsbAddress before = cam.address();
    bed.replug(cam, true);
    EXPECT_NE(cam.address(), before);
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].address, cam.deviceAddress());
    libusb_device_handle* h = openClaimed(cam);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(vendorOut(h, kWrite, {3}), 1);
}

TEST_F(Hotplug, ReplaceSwapsInADifferentDevice) {
    SimDevice& slot = attachScripted(0x0816, 0x0511);
    libusb_device_handle* old = openClaimed(slot);
    ASSERT_NE(old, nullptr);
    slot.failBulkReads(3);

    auto replacement = std::make_unique<ScriptedFunction>();
    replacement->queueFrame(pattern(64, 9));
    bed.replace(slot, std::move(replacement), zoqsim::cameraLayout(0x0816, 0x0521));
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].idProduct, 0x0521);
    EXPECT_EQ(listed[0].address, slot.deviceAddress());
    EXPECT_EQ(vendorOut(old, kWrite, {1}), LIBUSB_ERROR_NO_DEVICE);

    libusb_device_handle* h = openClaimed(slot);
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> buffer(64);
    int got = 0;
    ASSERT_EQ(readFrame(h, buffer, got, 200), 0);  // the old device's faults are gone
    EXPECT_EQ(buffer, pattern(64, 9));
}

}  // namespace
