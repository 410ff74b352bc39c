// Bus numbers and device addresses for simulated devices. Like the kernel,
// each bus hands out addresses 2 to 127 round robin (1 is the root hub's),
// so a device plugged in again gets a new address unless it asks for its old
// one. A full bus overflows to the next.
#pragma once

#include "usb/SimDevice.h"

#include <bitset>
#include <vector>

namespace zoqsim {

class AddressPool {
public:
    // The next free address; the process aborts when every bus is full.
    UsbAddress next();
    // Takes `address` when it is free.
    bool take(UsbAddress address);
    void release(UsbAddress address);

private:
    struct Bus {
        std::bitset<128> used;
        uint8_t cursor = 2;
    };
    Bus& bus(uint8_t number);
    std::vector<Bus> m_buses;  // bus n at index n - 1
};

}  // namespace zoqsim
