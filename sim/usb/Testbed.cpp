#include "usb/Testbed.h"

#include "usb/DescriptorFaults.h"
#include "usb/DeviceCore.h"
#include "usb/Preload.h"
#include "usb/UsbfsBridge.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace zoqsim {

namespace {

// One testbed per process: umockdev's environment (UMOCKDEV_DIR) and the
// emulated /sys are process-wide.
std::atomic<bool> g_testbedAlive{false};

// Neither a camera nor anything else the SDK talks to: it refuses every
// request and never sends data.
class ForeignFunction final : public UsbFunction {
public:
    int control(const UsbSetup&, uint8_t*) override { return -1; }
    long bulkIn(uint8_t*, std::size_t) override { return kBulkNotReady; }
    bool bulkReady() const override { return false; }
};

}  // namespace

Testbed::Testbed() {
    if (!usbfsEmulationLoaded()) {
        std::fprintf(stderr,
                     "zoqsim: the simulated USB bus needs umockdev's preload library: run the program "
                     "under umockdev-wrapper or with LD_PRELOAD=%s\n",
                     kUmockdevPreload);
        std::abort();
    }
    if (g_testbedAlive.exchange(true)) {
        std::fprintf(stderr, "zoqsim: only one Testbed may exist at a time\n");
        std::abort();
    }
    m_bridge = std::make_unique<UsbfsBridge>(m_lock);
}

Testbed::~Testbed() {
    m_bridge.reset();
    detail::clearDeviceDescriptorFaults();
    g_testbedAlive.store(false);
}

std::unique_ptr<DeviceCore> Testbed::newCore(std::unique_ptr<UsbFunction> function,
                                             const DeviceLayout& layout) {
    auto core = std::make_unique<DeviceCore>(m_lock);
    core->function = std::move(function);
    core->layout = layout;
    return core;
}

SimDevice& Testbed::plugNew(std::unique_ptr<SimDevice> device) {
    m_devices.push_back(std::move(device));
    SimDevice& d = *m_devices.back();
    plug(*d.m_core, m_addresses.next());
    return d;
}

SimDevice& Testbed::attachDevice(std::unique_ptr<UsbFunction> function, const DeviceLayout& layout) {
    std::lock_guard<std::mutex> guard(m_lock);
    return plugNew(std::unique_ptr<SimDevice>(new SimDevice(newCore(std::move(function), layout))));
}

SimDevice& Testbed::attachDevice(std::unique_ptr<UsbFunction> function, uint16_t vendorId,
                                 uint16_t productId) {
    return attachDevice(std::move(function), cameraLayout(vendorId, productId));
}

SimDevice& Testbed::attachForeign(uint16_t vendorId, uint16_t productId) {
    return attachDevice(std::make_unique<ForeignFunction>(), foreignLayout(vendorId, productId));
}

void Testbed::plug(DeviceCore& core, UsbAddress address) {
    core.address = address;
    core.plugId = ++m_plugIds;
    core.plugSequence = ++m_plugSequence;
    core.configureDefault();
    detail::setDeviceDescriptorFails(address.bus, address.address, core.descriptorFails);
    m_bridge->plug(core);
}

void Testbed::unplugLocked(DeviceCore& core) {
    if (!core.plugged)
        return;
    m_bridge->unplug(core);
    detail::setDeviceDescriptorFails(core.address.bus, core.address.address, false);
    m_addresses.release(core.address);
}

void Testbed::unplug(SimDevice& device) {
    std::lock_guard<std::mutex> guard(m_lock);
    unplugLocked(*device.m_core);
}

void Testbed::replug(SimDevice& device, bool newAddress) {
    std::lock_guard<std::mutex> guard(m_lock);
    DeviceCore& core = *device.m_core;
    unplugLocked(core);
    core.function->powerOn();
    const UsbAddress old = core.address;
    if (!newAddress && m_addresses.take(old)) {
        plug(core, old);
        return;
    }
    UsbAddress address = m_addresses.next();
    if (address == old) {
        // The pool came round to the old address, but a new one was asked for.
        const UsbAddress other = m_addresses.next();
        m_addresses.release(address);
        address = other;
    }
    plug(core, address);
}

void Testbed::replace(SimDevice& device, std::unique_ptr<UsbFunction> function, const DeviceLayout& layout) {
    std::lock_guard<std::mutex> guard(m_lock);
    DeviceCore& core = *device.m_core;
    unplugLocked(core);
    core.function = std::move(function);
    core.layout = layout;
    core.faults = FaultPlan{};
    core.descriptorFails = false;
    plug(core, m_addresses.next());
}

std::vector<SimDevice*> Testbed::devices() const {
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<SimDevice*> out;
    for (const auto& d : m_devices)
        if (d->m_core->plugged)
            out.push_back(d.get());
    std::sort(out.begin(), out.end(), [](const SimDevice* a, const SimDevice* b) {
        return a->m_core->plugSequence > b->m_core->plugSequence;
    });
    return out;
}

std::string Testbed::rootDir() const { return m_bridge->rootDir(); }

}  // namespace zoqsim
