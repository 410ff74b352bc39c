// Standard USB requests on endpoint 0 (request type bits 6..5 zero): the
// front end answers them from the device's layout, as the USB controller
// of a camera does; class and vendor requests go to the UsbFunction.
#pragma once

#include "UsbFunction.h"

#include <cstdint>

namespace zoqsim {

struct DeviceCore;

constexpr bool isStandardRequest(const UsbSetup& setup) { return (setup.bmRequestType & 0x60) == 0; }

// Answers a standard request. Device-to-host: writes at most wLength bytes
// to data and returns how many; host-to-device: returns wLength. -1 stalls.
int answerStandardRequest(const DeviceCore& device, const UsbSetup& setup, uint8_t* data);

}  // namespace zoqsim
