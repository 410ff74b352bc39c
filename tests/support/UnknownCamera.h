// A camera whose device type has no plug-in: it tells who it is and accepts
// every request, but sends no frames.
#pragma once

#include <cstring>

#include "zoqsim.h"

namespace zoqtest {

class UnknownCamera : public zoqsim::UsbFunction {
public:
    explicit UnknownCamera(uint8_t deviceType, uint8_t serial = 1)
        : m_type(deviceType), m_serial(serial) {}

    int control(const zoqsim::UsbSetup& setup, uint8_t* data) override {
        if ((setup.bmRequestType & 0x80) == 0) return setup.wLength;
        memset(data, 0, setup.wLength);
        if (setup.bRequest == 0xC9 && setup.wLength >= 5) {
            data[1] = m_type;
            data[2] = m_serial;
            data[3] = 0x02;  // firmware 1.2
            data[4] = 0x01;
        }
        return setup.wLength;
    }
    long bulkIn(uint8_t*, std::size_t) override { return kBulkNotReady; }
    bool bulkReady() const override { return false; }

private:
    uint8_t m_type;
    uint8_t m_serial;
};

}  // namespace zoqtest
