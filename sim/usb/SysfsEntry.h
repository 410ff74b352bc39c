// Where a plugged device appears in the emulated sysfs and /dev, and the
// umockdev record that creates it.
#pragma once

#include "usb/DeviceLayout.h"
#include "usb/SimDevice.h"

#include <cstdint>
#include <string>

namespace zoqsim {

struct SysfsEntry {
    // "/sys/devices/zoqsim/<sequence, 10 digits>/<bus>-<sequence>": udev
    // lists devices sorted by this path, and libusb puts each device it
    // enumerates at the front of its list, so the newest plug-in comes first.
    std::string syspath;
    std::string devnode;        // "/dev/bus/usb/BBB/DDD"
    std::string sysDevLink;     // "/sys/dev/char/189:<minor>"
};

SysfsEntry sysfsEntry(UsbAddress address, uint32_t plugSequence);

// The umockdev-record text for the device: udev properties, sysfs attributes
// (each value ends in a newline, as the kernel writes them), the binary
// "descriptors" attribute and the device node.
std::string umockdevRecord(const SysfsEntry& entry, UsbAddress address, const DeviceLayout& layout,
                           uint8_t activeConfig);

}  // namespace zoqsim
