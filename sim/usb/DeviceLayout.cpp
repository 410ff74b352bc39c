#include "usb/DeviceLayout.h"

namespace zoqsim {

namespace {

// USB allows 32 interfaces per configuration; libusb refuses to parse more.
constexpr uint8_t kTooManyInterfaces = 33;

// The cameras' endpoints: commands out on 0x02, frames in on 0x86 (the last
// endpoint listed, which is how the SDK finds the frame endpoint).
const ConfigLayout kCameraConfig = {
    .value = 1,
    .interfaces = {{.altSettings = {{.endpoints = {{.address = 0x02}, {.address = 0x86}}}}}},
};

const ConfigLayout kForeignConfig = {
    .value = 1,
    .interfaces = {{.altSettings = {{.interfaceClass = 0x03,
                                     .endpoints = {{.address = 0x81,
                                                    .attributes = kEpInterrupt,
                                                    .maxPacketSize = 8,
                                                    .interval = 10}}}}}},
};

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

DeviceLayout cameraLayout(uint16_t vendorId, uint16_t productId) {
    DeviceLayout layout;
    layout.vendorId = vendorId;
    layout.productId = productId;
    layout.configs = {kCameraConfig};
    layout.frameEndpoint = 0x86;
    return layout;
}

DeviceLayout foreignLayout(uint16_t vendorId, uint16_t productId) {
    DeviceLayout layout;
    layout.vendorId = vendorId;
    layout.productId = productId;
    layout.speed = UsbSpeed::Full;
    layout.configs = {kForeignConfig};
    layout.frameEndpoint = 0;
    return layout;
}

std::vector<uint8_t> encodeDeviceDescriptor(const DeviceLayout& d) {
    std::vector<uint8_t> out = {18, 0x01};
    put16(out, d.bcdUSB);
    out.push_back(d.deviceClass);
    out.push_back(d.deviceSubClass);
    out.push_back(d.deviceProtocol);
    out.push_back(d.maxPacketSize0);
    put16(out, d.vendorId);
    put16(out, d.productId);
    put16(out, d.bcdDevice);
    out.push_back(d.manufacturer.empty() ? 0 : 1);
    out.push_back(d.product.empty() ? 0 : 2);
    out.push_back(d.serial.empty() ? 0 : 3);
    out.push_back(static_cast<uint8_t>(d.configs.size()));
    return out;
}

std::vector<uint8_t> encodeConfigDescriptor(const ConfigLayout& c) {
    std::vector<uint8_t> out = {9, 0x02, 0, 0};  // wTotalLength patched below
    out.push_back(c.malformed ? kTooManyInterfaces : static_cast<uint8_t>(c.interfaces.size()));
    out.push_back(c.value);
    out.push_back(0);  // iConfiguration
    out.push_back(c.attributes);
    out.push_back(c.maxPower);
    for (std::size_t i = 0; i < c.interfaces.size(); ++i) {
        const auto& alts = c.interfaces[i].altSettings;
        for (std::size_t a = 0; a < alts.size(); ++a) {
            const AltSettingLayout& alt = alts[a];
            out.insert(out.end(), {9, 0x04, static_cast<uint8_t>(i), static_cast<uint8_t>(a),
                                   static_cast<uint8_t>(alt.endpoints.size()), alt.interfaceClass,
                                   alt.interfaceSubClass, alt.interfaceProtocol, 0});
            for (const EndpointLayout& ep : alt.endpoints) {
                out.insert(out.end(), {7, 0x05, ep.address, ep.attributes});
                put16(out, ep.maxPacketSize);
                out.push_back(ep.interval);
            }
        }
    }
    const auto total = static_cast<uint16_t>(out.size());
    out[2] = static_cast<uint8_t>(total & 0xFF);
    out[3] = static_cast<uint8_t>(total >> 8);
    return out;
}

std::vector<uint8_t> encodeDescriptors(const DeviceLayout& d) {
    std::vector<uint8_t> out = encodeDeviceDescriptor(d);
    for (const ConfigLayout& c : d.configs) {
        const std::vector<uint8_t> config = encodeConfigDescriptor(c);
        out.insert(out.end(), config.begin(), config.end());
    }
    return out;
}

std::vector<uint8_t> encodeStringDescriptor(const DeviceLayout& d, uint8_t index) {
    if (index == 0)
        return {4, 0x03, 0x09, 0x04};  // US English
    const std::string* text = index == 1 ? &d.manufacturer
                            : index == 2 ? &d.product
                            : index == 3 ? &d.serial
                                         : nullptr;
    if (text == nullptr || text->empty())
        return {};
    // ASCII to UTF-16LE; a descriptor holds at most 126 characters.
    const std::size_t chars = text->size() < 126 ? text->size() : 126;
    std::vector<uint8_t> out = {static_cast<uint8_t>(2 + 2 * chars), 0x03};
    for (std::size_t i = 0; i < chars; ++i) {
        out.push_back(static_cast<uint8_t>((*text)[i]));
        out.push_back(0);
    }
    return out;
}

const ConfigLayout* findConfig(const DeviceLayout& layout, uint8_t value) {
    for (const ConfigLayout& c : layout.configs)
        if (c.value == value)
            return &c;
    return nullptr;
}

}  // namespace zoqsim
