// The descriptors of a simulated USB device: what libusb reads from sysfs at
// enumeration and what a GET_DESCRIPTOR request on endpoint 0 returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zoqsim {

// Link speed, in Mbit/s as the sysfs "speed" attribute states it.
enum class UsbSpeed : uint16_t { Low = 1, Full = 12, High = 480, Super = 5000 };

// bmAttributes transfer types of an endpoint.
enum : uint8_t { kEpControl = 0, kEpIsochronous = 1, kEpBulk = 2, kEpInterrupt = 3 };

struct EndpointLayout {
    uint8_t address = 0;                // bit 7 set: IN
    uint8_t attributes = kEpBulk;
    uint16_t maxPacketSize = 512;
    uint8_t interval = 0;
};

struct AltSettingLayout {
    uint8_t interfaceClass = 0xFF;      // vendor specific
    uint8_t interfaceSubClass = 0;
    uint8_t interfaceProtocol = 0;
    std::vector<EndpointLayout> endpoints;
};

struct InterfaceLayout {
    std::vector<AltSettingLayout> altSettings;  // alternate setting n at index n
};

struct ConfigLayout {
    uint8_t value = 1;                  // bConfigurationValue
    uint8_t attributes = 0x80;          // bus powered
    uint8_t maxPower = 250;             // units of 2 mA
    std::vector<InterfaceLayout> interfaces;    // interface n at index n
    // Encoded so that libusb still enumerates and opens the device but
    // libusb_get_config_descriptor fails with LIBUSB_ERROR_IO for this
    // configuration (it declares more interfaces than USB allows).
    bool malformed = false;
};

struct DeviceLayout {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t bcdDevice = 0x0100;
    uint16_t bcdUSB = 0x0200;
    uint8_t deviceClass = 0;
    uint8_t deviceSubClass = 0;
    uint8_t deviceProtocol = 0;
    uint8_t maxPacketSize0 = 64;
    UsbSpeed speed = UsbSpeed::High;
    // String descriptors 1, 2 and 3; an empty string has no descriptor.
    std::string manufacturer;
    std::string product;
    std::string serial;
    std::vector<ConfigLayout> configs;
    // Bulk IN transfers on this endpoint are served by UsbFunction::bulkIn;
    // IN transfers on any other endpoint never complete.
    uint8_t frameEndpoint = 0x86;
};

// The cameras' layout: one configuration, one interface, one alternate
// setting with endpoints 0x02 bulk OUT then 0x86 bulk IN, 512-byte packets,
// high speed.
DeviceLayout cameraLayout(uint16_t vendorId, uint16_t productId);

// A device that is not a camera: one interface with an interrupt IN endpoint.
DeviceLayout foreignLayout(uint16_t vendorId, uint16_t productId);

// Descriptor bytes in bus order (little-endian fields).
std::vector<uint8_t> encodeDeviceDescriptor(const DeviceLayout& layout);
std::vector<uint8_t> encodeConfigDescriptor(const ConfigLayout& config);
// The device descriptor followed by every configuration descriptor with its
// interfaces and endpoints: the content of the sysfs "descriptors" file.
std::vector<uint8_t> encodeDescriptors(const DeviceLayout& layout);
// String descriptor `index` (0: the language list); empty when there is none.
std::vector<uint8_t> encodeStringDescriptor(const DeviceLayout& layout, uint8_t index);

// The configuration with bConfigurationValue `value`, or null.
const ConfigLayout* findConfig(const DeviceLayout& layout, uint8_t value);

}  // namespace zoqsim
