#include "usb/DescriptorFaults.h"

#include <array>
#include <atomic>

namespace zoqsim::detail {

namespace {

// One flag per (bus, address): lock-free, so that the interposed call is
// safe on any libusb thread.
std::array<std::atomic<bool>, 256 * 128> g_failing{};
std::atomic<bool> g_interposerLinked{false};

std::atomic<bool>& flag(uint8_t bus, uint8_t address) {
    return g_failing[static_cast<std::size_t>(bus) * 128 + (address & 0x7F)];
}

}  // namespace

void setDeviceDescriptorFails(uint8_t bus, uint8_t address, bool fail) {
    flag(bus, address).store(fail, std::memory_order_relaxed);
}

bool deviceDescriptorFails(uint8_t bus, uint8_t address) {
    return flag(bus, address).load(std::memory_order_relaxed);
}

void clearDeviceDescriptorFaults() {
    for (auto& f : g_failing)
        f.store(false, std::memory_order_relaxed);
}

void noteDescriptorInterposerLinked() { g_interposerLinked.store(true); }

bool descriptorInterposerLinked() { return g_interposerLinked.load(); }

}  // namespace zoqsim::detail
