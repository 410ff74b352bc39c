// Which devices' device descriptors fail to read. libusb 1.0.26 caches the
// device descriptor at enumeration and libusb_get_device_descriptor always
// succeeds, so the failure is made in the test process by an interposed
// libusb_get_device_descriptor (zoqsim_interpose) that consults this table.
// The table is process-wide because the interposed function is.
#pragma once

#include <cstdint>

namespace zoqsim::detail {

void setDeviceDescriptorFails(uint8_t bus, uint8_t address, bool fail);
bool deviceDescriptorFails(uint8_t bus, uint8_t address);
void clearDeviceDescriptorFaults();

// The interposer announces itself at start-up; without it marks have no effect.
void noteDescriptorInterposerLinked();
bool descriptorInterposerLinked();

}  // namespace zoqsim::detail
