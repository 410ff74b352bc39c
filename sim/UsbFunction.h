// The seam between the simulated USB wire and a simulated device's firmware.
//
// The usbfs front end (sim/usb) turns the URBs that the real libusb submits
// into calls on a UsbFunction; the camera model (sim/model) implements it.
// Both sides are called from the front end's event thread; implementations
// guard their own state against concurrent access from test threads.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace zoqsim {

// One USB setup packet, fields in host order.
struct UsbSetup {
    uint8_t bmRequestType;
    uint8_t bRequest;
    uint16_t wValue;
    uint16_t wIndex;
    uint16_t wLength;
};

class UsbFunction {
public:
    virtual ~UsbFunction() = default;

    // A request on endpoint 0. Device-to-host (bmRequestType bit 7 set): write
    // at most setup.wLength bytes to data and return how many. Host-to-device:
    // data holds setup.wLength bytes; return setup.wLength. A negative result
    // stalls the request (a request the device does not know).
    virtual int control(const UsbSetup& setup, uint8_t* data) = 0;

    // A bulk IN transfer on the frame endpoint: copy at most len bytes to dst
    // and return how many. Fewer than len ends the transfer as a short packet
    // would. kBulkNotReady means nothing is queued: the transfer waits (and
    // times out in libusb when nothing comes).
    static constexpr long kBulkNotReady = -1;
    virtual long bulkIn(uint8_t* dst, std::size_t len) = 0;

    // True when bulkIn would deliver data now; the front end asks after every
    // control request so that a waiting transfer completes once a frame is
    // triggered.
    virtual bool bulkReady() const = 0;

    // When the frame that bulkIn would deliver next may start to leave the
    // device (steady clock). A device that has it at once answers a time in
    // the past; one that paces its frames, the time its frame is done.
    virtual std::chrono::steady_clock::time_point bulkReadyAt() const { return {}; }

    // The device is plugged in again after an unplug (a power cycle):
    // volatile state (registers, queued frames) returns to its power-on
    // values; non-volatile state (EEPROM) stays.
    virtual void powerOn() {}
};

}  // namespace zoqsim
