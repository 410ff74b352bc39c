// What crossed the simulated wire of one device: every control transfer and
// every transfer on a bulk or interrupt endpoint, in the order they ended.
#pragma once

#include "UsbFunction.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zoqsim {

// How a transfer ended, as libusb saw it.
enum class Outcome : uint8_t {
    Ok,        // completed (possibly short)
    Stall,     // the device refused the request: LIBUSB_ERROR_PIPE
    TimedOut,  // held by a time-out fault until libusb discarded it
    IoError,   // bus error fault: LIBUSB_ERROR_IO
    NoDevice,  // the device was unplugged: LIBUSB_ERROR_NO_DEVICE
    Discarded, // libusb discarded it while it waited (its time-out or a cancel)
};

struct ControlRecord {
    uint32_t sequence;          // shared with BulkRecord: orders both kinds
    UsbSetup setup;
    // Host-to-device: the wLength bytes the host sent. Device-to-host: the
    // bytes the device answered.
    std::vector<uint8_t> data;
    Outcome outcome;
};

struct BulkRecord {
    uint32_t sequence;
    uint8_t endpoint;
    uint32_t requested;         // length of the URB libusb submitted
    uint32_t actual;            // bytes transferred
    Outcome outcome;
};

// Not synchronised itself: the Testbed's lock guards it.
class TransferLog {
public:
    void setEnabled(bool enabled) { m_enabled = enabled; }
    void addControl(const UsbSetup& setup, const uint8_t* data, std::size_t length, Outcome outcome);
    void addBulk(uint8_t endpoint, uint32_t requested, uint32_t actual, Outcome outcome);
    std::vector<ControlRecord> controls() const;
    std::vector<BulkRecord> bulks() const;
    void clear();

private:
    // Data stages live back to back in one buffer so that recording a
    // transfer allocates nothing once the buffers have grown.
    struct ControlEntry {
        uint32_t sequence;
        UsbSetup setup;
        std::size_t offset;
        std::size_t length;
        Outcome outcome;
    };
    bool m_enabled = true;
    uint32_t m_sequence = 0;
    std::vector<ControlEntry> m_controls;
    std::vector<uint8_t> m_controlData;
    std::vector<BulkRecord> m_bulks;
};

}  // namespace zoqsim
