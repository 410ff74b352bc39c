#include "usb/ControlTransfer.h"

#include "usb/DeviceCore.h"
#include "usb/StandardRequests.h"

#include <algorithm>

namespace zoqsim {

UsbSetup parseSetup(const uint8_t* p) {
    return UsbSetup{p[0], p[1], static_cast<uint16_t>(p[2] | p[3] << 8),
                    static_cast<uint16_t>(p[4] | p[5] << 8), static_cast<uint16_t>(p[6] | p[7] << 8)};
}

int runControlTransfer(DeviceCore& device, uint8_t* buffer, std::size_t length) {
    UsbSetup setup = parseSetup(buffer);
    // Never let the function run past the buffer libusb gave.
    setup.wLength = static_cast<uint16_t>(std::min<std::size_t>(setup.wLength, length - kSetupSize));
    uint8_t* data = buffer + kSetupSize;
    const bool toHost = (setup.bmRequestType & 0x80) != 0;

    int result = isStandardRequest(setup) ? answerStandardRequest(device, setup, data)
                                          : device.function->control(setup, data);
    if (result < 0) {
        device.log.addControl(setup, toHost ? nullptr : data, setup.wLength, Outcome::Stall);
        return -1;
    }
    result = toHost ? std::min<int>(result, setup.wLength) : setup.wLength;
    device.log.addControl(setup, data, static_cast<std::size_t>(result), Outcome::Ok);
    return result;
}

}  // namespace zoqsim
