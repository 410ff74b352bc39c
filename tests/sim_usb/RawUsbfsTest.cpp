// usbfs requests libusb does not send but a program may: the blocking
// REAPURB, issued here with ioctl() on the emulated device node.
#include "SimUsbTest.h"

#include <fcntl.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>

using namespace simusb;

namespace {

class RawUsbfs : public SimUsbTest {
protected:
    // Opens the device node and submits a bulk read on the frame endpoint.
    int submitFrameRead(const zoqsim::SimDevice& device, std::vector<uint8_t>& buffer, usbdevfs_urb& urb) {
        char node[32];
        std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", device.busNumber(), device.deviceAddress());
        const int fd = ::open(node, O_RDWR);
        EXPECT_GE(fd, 0) << node;
        urb = {};
        urb.type = USBDEVFS_URB_TYPE_BULK;
        urb.endpoint = 0x86;
        urb.buffer = buffer.data();
        urb.buffer_length = static_cast<int>(buffer.size());
        EXPECT_EQ(ioctl(fd, USBDEVFS_SUBMITURB, &urb), 0);
        return fd;
    }
};

// Blocks in REAPURB; returns the URB handed back, or null with errno kept.
std::future<std::pair<void*, int>> reapBlocking(int fd) {
    return std::async(std::launch::async, [fd] {
        void* reaped = nullptr;
        const int rc = ioctl(fd, USBDEVFS_REAPURB, &reaped);
        return std::make_pair(rc == 0 ? reaped : nullptr, rc == 0 ? 0 : errno);
    });
}

TEST_F(RawUsbfs, BlockingReapWaitsForTheFrame) {
    zoqsim::SimDevice& cam = attachScripted();
    std::vector<uint8_t> buffer(600);
    usbdevfs_urb urb{};
    const int fd = submitFrameRead(cam, buffer, urb);
    auto reap = reapBlocking(fd);
    EXPECT_EQ(reap.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);

    // A frame becomes ready; the next control request lets it go.
    scripted(cam).queueFrame(pattern(500, 3));
    libusb_device_handle* h = open(cam);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(vendorOut(h, kWrite, {1}), 1);
    const std::pair<void*, int> reaped = reap.get();
    EXPECT_EQ(reaped.first, &urb);
    EXPECT_EQ(urb.status, 0);
    EXPECT_EQ(urb.actual_length, 500);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 500, pattern(500, 3).begin()));
    ::close(fd);
}

TEST_F(RawUsbfs, BlockingReapEndsWhenTheDeviceIsUnplugged) {
    zoqsim::SimDevice& cam = attachScripted();
    std::vector<uint8_t> buffer(64);
    usbdevfs_urb urb{};
    const int fd = submitFrameRead(cam, buffer, urb);
    auto first = reapBlocking(fd);
    EXPECT_EQ(first.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    bed.unplug(cam);
    EXPECT_EQ(first.get().first, &urb);  // the read ends with the device
    EXPECT_EQ(urb.status, -ENODEV);
    EXPECT_EQ(reapBlocking(fd).get().second, ENODEV);  // nothing left
    ::close(fd);
}

}  // namespace
