#include "usb/SysfsEntry.h"

#include <cstdio>

namespace zoqsim {

namespace {

constexpr int kUsbDeviceMajor = 189;

int minorOf(UsbAddress a) { return (a.bus - 1) * 128 + (a.address - 1); }

std::string format(const char* fmt, unsigned a, unsigned b = 0, unsigned c = 0) {
    char text[64];
    std::snprintf(text, sizeof text, fmt, a, b, c);
    return text;
}

std::string hex(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 0xF]);
    }
    return out;
}

// One "<tag>: name=value" line of the record. Attribute values end in a
// newline, which the record format writes as "\n".
void recordLine(std::string& out, const char* tag, const char* name, const std::string& value,
                const char* end) {
    out += tag;
    out += name;
    out += '=';
    out += value;
    out += end;
}

void attribute(std::string& out, const char* name, const std::string& value) {
    recordLine(out, "A: ", name, value, "\\n\n");
}

void property(std::string& out, const char* name, const std::string& value) {
    recordLine(out, "E: ", name, value, "\n");
}

}  // namespace

SysfsEntry sysfsEntry(UsbAddress a, uint32_t sequence) {
    SysfsEntry e;
    e.syspath = format("/sys/devices/zoqsim/%010u/%u-%u", sequence, a.bus, sequence);
    e.devnode = format("/dev/bus/usb/%03u/%03u", a.bus, a.address);
    e.sysDevLink = format("/sys/dev/char/%u:%u", kUsbDeviceMajor, static_cast<unsigned>(minorOf(a)));
    return e;
}

std::string umockdevRecord(const SysfsEntry& e, UsbAddress a, const DeviceLayout& layout,
                           uint8_t activeConfig) {
    std::string r;
    r += "P: " + e.syspath.substr(4) + "\n";  // the record's path starts at /devices
    r += "N: " + e.devnode.substr(5) + "\n";  // and its node name after /dev/
    property(r, "DEVNAME", e.devnode);
    property(r, "DEVTYPE", "usb_device");
    property(r, "DRIVER", "usb");
    property(r, "SUBSYSTEM", "usb");
    property(r, "BUSNUM", format("%03u", a.bus));
    property(r, "DEVNUM", format("%03u", a.address));
    property(r, "MAJOR", format("%u", kUsbDeviceMajor));
    property(r, "MINOR", format("%u", static_cast<unsigned>(minorOf(a))));
    property(r, "PRODUCT", format("%x/%x/%x", layout.vendorId, layout.productId, layout.bcdDevice));
    attribute(r, "busnum", format("%u", a.bus));
    attribute(r, "devnum", format("%u", a.address));
    attribute(r, "dev", format("%u:%u", kUsbDeviceMajor, static_cast<unsigned>(minorOf(a))));
    attribute(r, "idVendor", format("%04x", layout.vendorId));
    attribute(r, "idProduct", format("%04x", layout.productId));
    attribute(r, "bcdDevice", format("%04x", layout.bcdDevice));
    attribute(r, "speed", format("%u", static_cast<unsigned>(layout.speed)));
    attribute(r, "bNumConfigurations", format("%u", static_cast<unsigned>(layout.configs.size())));
    attribute(r, "bConfigurationValue", activeConfig == 0 ? std::string() : format("%u", activeConfig));
    if (!layout.manufacturer.empty())
        attribute(r, "manufacturer", layout.manufacturer);
    if (!layout.product.empty())
        attribute(r, "product", layout.product);
    if (!layout.serial.empty())
        attribute(r, "serial", layout.serial);
    r += "H: descriptors=" + hex(encodeDescriptors(layout)) + "\n";
    return r;
}

}  // namespace zoqsim
