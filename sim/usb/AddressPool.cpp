#include "usb/AddressPool.h"

#include <cstdio>
#include <cstdlib>

namespace zoqsim {

namespace {
constexpr unsigned kFirstAddress = 2;
constexpr unsigned kLastAddress = 127;
constexpr unsigned kLastBus = 255;
}  // namespace

AddressPool::Bus& AddressPool::bus(uint8_t number) {
    if (m_buses.size() < number)
        m_buses.resize(number);
    return m_buses[number - 1u];
}

UsbAddress AddressPool::next() {
    for (unsigned number = 1; number <= kLastBus; ++number) {
        Bus& b = bus(static_cast<uint8_t>(number));
        for (unsigned i = 0; i <= kLastAddress - kFirstAddress; ++i) {
            const unsigned a = kFirstAddress + (b.cursor - kFirstAddress + i) % (kLastAddress - kFirstAddress + 1);
            if (!b.used[a]) {
                b.used[a] = true;
                b.cursor = static_cast<uint8_t>(a == kLastAddress ? kFirstAddress : a + 1);
                return {static_cast<uint8_t>(number), static_cast<uint8_t>(a)};
            }
        }
    }
    std::fprintf(stderr, "zoqsim: no free USB address left\n");
    std::abort();
}

bool AddressPool::take(UsbAddress address) {
    if (address.bus == 0 || address.address < kFirstAddress || address.address > kLastAddress)
        return false;
    Bus& b = bus(address.bus);
    if (b.used[address.address])
        return false;
    b.used[address.address] = true;
    return true;
}

void AddressPool::release(UsbAddress address) {
    if (address.bus != 0 && address.bus <= m_buses.size() && address.address <= kLastAddress)
        m_buses[address.bus - 1u].used[address.address] = false;
}

}  // namespace zoqsim
