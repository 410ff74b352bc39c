// The state behind a SimDevice, shared by the test-facing API and the usbfs
// front end. Every field is guarded by `lock` (the Testbed's).
#pragma once

#include "UsbFunction.h"
#include "usb/DeviceLayout.h"
#include "usb/LinkPacing.h"
#include "usb/SimDevice.h"
#include "usb/TransferLog.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace zoqsim {

struct FaultPlan {
    unsigned controlTimeouts = 0;
    unsigned bulkTimeouts = 0;
    unsigned bulkIoErrors = 0;
    unsigned partialTimeouts = 0;
    uint32_t partialBytes = 0;
};

struct DeviceCore {
    explicit DeviceCore(std::mutex& testbedLock) : lock(testbedLock) {}

    std::mutex& lock;
    std::unique_ptr<UsbFunction> function;
    DeviceLayout layout;
    UsbAddress address;
    bool plugged = false;
    // Changes at every plug-in: file descriptors opened before an unplug
    // stay bound to the old plug and keep failing after a replug.
    uint64_t plugId = 0;
    // Names the sysfs entry of the current plug-in; sysfs order decides
    // libusb's list order.
    uint32_t plugSequence = 0;
    uint8_t activeConfig = 0;            // bConfigurationValue, 0: unconfigured
    std::vector<uint8_t> altSettings;    // per interface of the active configuration
    uint32_t capabilities = kDefaultUsbfsCapabilities;
    FaultPlan faults;
    LinkPacing pacing;  // the frame endpoint's link
    TransferLog log;
    unsigned resets = 0;
    bool descriptorFails = false;

    // Sets the first configuration active with alternate setting 0 everywhere,
    // as the kernel leaves a freshly enumerated device.
    void configureDefault();
    // Selects configuration `value` (0: unconfigured). False if it does not exist.
    bool selectConfig(uint8_t value);
    const ConfigLayout* activeConfigLayout() const;
    // The endpoint `address` in the current alternate settings, or null.
    const EndpointLayout* findEndpoint(uint8_t address) const;
};

}  // namespace zoqsim
