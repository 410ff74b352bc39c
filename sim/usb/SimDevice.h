// One simulated USB device as a test sees it: where it sits on the bus, the
// function object behind it, USB-level fault injection and the record of
// its transfers. Every member is safe to call from the test thread while
// libusb drives the device.
#pragma once

#include "UsbFunction.h"
#include "usb/DeviceLayout.h"
#include "usb/TransferLog.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zoqsim {

struct DeviceCore;

// Bus number and device address as libusb_get_bus_number and
// libusb_get_device_address report them.
struct UsbAddress {
    uint8_t bus = 0;
    uint8_t address = 0;
    bool operator==(const UsbAddress& o) const { return bus == o.bus && address == o.address; }
    bool operator!=(const UsbAddress& o) const { return !(*this == o); }
};

// What the emulated usbfs reports to USBDEVFS_GET_CAPABILITIES by default:
// bulk scatter-gather, no packet size limit, zero packets, reaping after a
// disconnect. With scatter-gather libusb sends one bulk transfer as one URB.
constexpr uint32_t kDefaultUsbfsCapabilities = 0x08 | 0x04 | 0x01 | 0x10;

class SimDevice {
public:
    virtual ~SimDevice();
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    // Current address; while unplugged, the address it had.
    UsbAddress address() const;
    uint8_t busNumber() const { return address().bus; }
    uint8_t deviceAddress() const { return address().address; }
    bool plugged() const;
    // A copy of the device's descriptors (Testbed::replace may change them).
    DeviceLayout layout() const;
    UsbFunction& function();

    // Faults at the USB level. Each counter applies to the next transfers
    // and adds to what is still pending.
    // The next `count` control transfers get no answer: libusb times out
    // (LIBUSB_ERROR_TIMEOUT) and the request never reaches the function.
    void timeOutControlTransfers(unsigned count);
    // The next `count` bulk transfers on the frame endpoint get no data, even
    // when a frame is ready: libusb times out. The frame stays queued. A
    // transfer that libusb splits into several URBs counts once.
    void timeOutBulkTransfers(unsigned count);
    // The next `count` bulk transfers on the frame endpoint receive the first
    // `bytes` bytes of the frame and then nothing more: libusb times out and
    // reports the bytes that arrived (LIBUSB_ERROR_TIMEOUT with a partial
    // count). The rest of the frame stays queued in the camera. Transfers
    // without a frame waiting end with nothing.
    void timeOutBulkTransfersAfter(uint32_t bytes, unsigned count = 1);
    // The next `count` bulk transfers on the frame endpoint fail at once with
    // a bus error (URB status -EPROTO): libusb_bulk_transfer returns
    // LIBUSB_ERROR_IO with nothing transferred, whether or not a frame is
    // ready. The frame is not consumed: the next read gets it whole.
    void failBulkReads(unsigned count);
    // libusb_get_device_descriptor fails with LIBUSB_ERROR_IO for this device
    // while `fail` holds. libusb reads the descriptor once at enumeration and
    // cannot fail afterwards, so this works only in programs linked with the
    // zoqsim_interpose object library; returns false when it is not linked.
    bool failDeviceDescriptor(bool fail = true);
    // Capabilities reported to USBDEVFS_GET_CAPABILITIES by handles opened
    // from now on (bits of USBDEVFS_CAP_*). Without scatter-gather and
    // without NO_PACKET_SIZE_LIM libusb splits bulk transfers into 16 KiB
    // URBs. BULK_CONTINUATION is not emulated: do not report it.
    void setUsbfsCapabilities(uint32_t capabilities);

    // Speed of the link to the frame endpoint in bytes per second (0, the
    // default: as fast as the emulation goes). A frame read then completes
    // no sooner than its bytes take at this rate after the read before it
    // ended, as over a real USB 2.0 link (some 35-45 MB/s for bulk data).
    void setBulkBandwidth(double bytesPerSecond);
    double bulkBandwidth() const;

    // Records of the transfers that ended, oldest first.
    std::vector<ControlRecord> controlRecords() const;
    std::vector<BulkRecord> bulkRecords() const;
    void clearRecords();
    // Recording is on from the start; long benchmarks turn it off.
    void setRecording(bool on);
    // USBDEVFS_RESET requests (libusb_reset_device) seen so far.
    unsigned resetCount() const;

protected:
    friend class Testbed;
    explicit SimDevice(std::unique_ptr<DeviceCore> core);

private:
    std::unique_ptr<DeviceCore> m_core;
};

}  // namespace zoqsim
