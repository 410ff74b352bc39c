// The vendor/product pairs the SDK accepts as cameras.
#pragma once

#include <cstdint>

namespace zoqsim {

bool isCameraUsbId(uint16_t idVendor, uint16_t idProduct);

}  // namespace zoqsim
