// One control transfer on endpoint 0, as the device executes it.
#pragma once

#include "UsbFunction.h"

#include <cstddef>
#include <cstdint>

namespace zoqsim {

struct DeviceCore;

constexpr std::size_t kSetupSize = 8;

// The setup packet at the start of a control URB's buffer (bus order).
UsbSetup parseSetup(const uint8_t* packet);

// Runs the transfer whose buffer holds the setup packet followed by the data
// stage (`length` bytes in all): standard requests are answered from the
// layout, the others by the device's function. Returns the bytes of the data
// stage transferred, or -1 when the device stalls. Records the transfer.
int runControlTransfer(DeviceCore& device, uint8_t* buffer, std::size_t length);

}  // namespace zoqsim
