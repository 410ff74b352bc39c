#include "usb/StandardRequests.h"

#include "usb/DeviceCore.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zoqsim {

namespace {

enum : uint8_t {
    kGetStatus = 0x00,
    kClearFeature = 0x01,
    kSetFeature = 0x03,
    kGetDescriptor = 0x06,
    kGetConfiguration = 0x08,
};

enum : uint8_t { kDescDevice = 1, kDescConfig = 2, kDescString = 3 };

int copyOut(const std::vector<uint8_t>& bytes, const UsbSetup& setup, uint8_t* data) {
    if (bytes.empty())
        return -1;
    const std::size_t n = std::min<std::size_t>(bytes.size(), setup.wLength);
    if (n != 0)
        std::memcpy(data, bytes.data(), n);
    return static_cast<int>(n);
}

std::vector<uint8_t> descriptor(const DeviceCore& device, uint16_t wValue) {
    const uint8_t type = static_cast<uint8_t>(wValue >> 8);
    const uint8_t index = static_cast<uint8_t>(wValue & 0xFF);
    switch (type) {
    case kDescDevice:
        return encodeDeviceDescriptor(device.layout);
    case kDescConfig:
        if (index < device.layout.configs.size())
            return encodeConfigDescriptor(device.layout.configs[index]);
        return {};
    case kDescString:
        return encodeStringDescriptor(device.layout, index);
    default:
        return {};
    }
}

}  // namespace

int answerStandardRequest(const DeviceCore& device, const UsbSetup& setup, uint8_t* data) {
    const bool toHost = (setup.bmRequestType & 0x80) != 0;
    switch (setup.bRequest) {
    case kGetStatus:
        return toHost ? copyOut({0, 0}, setup, data) : -1;
    case kGetDescriptor:
        return toHost ? copyOut(descriptor(device, setup.wValue), setup, data) : -1;
    case kGetConfiguration:
        return toHost ? copyOut({device.activeConfig}, setup, data) : -1;
    case kClearFeature:
    case kSetFeature:
        return toHost ? -1 : setup.wLength;
    default:
        return -1;
    }
}

}  // namespace zoqsim
