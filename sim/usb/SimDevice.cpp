#include "usb/SimDevice.h"

#include "usb/DescriptorFaults.h"
#include "usb/DeviceCore.h"

namespace zoqsim {

SimDevice::SimDevice(std::unique_ptr<DeviceCore> core) : m_core(std::move(core)) {}

SimDevice::~SimDevice() = default;

UsbAddress SimDevice::address() const {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return m_core->address;
}

bool SimDevice::plugged() const {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return m_core->plugged;
}

DeviceLayout SimDevice::layout() const {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return m_core->layout;
}

UsbFunction& SimDevice::function() {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return *m_core->function;
}

void SimDevice::timeOutControlTransfers(unsigned count) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->faults.controlTimeouts += count;
}

void SimDevice::timeOutBulkTransfers(unsigned count) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->faults.bulkTimeouts += count;
}

void SimDevice::timeOutBulkTransfersAfter(uint32_t bytes, unsigned count) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->faults.partialTimeouts += count;
    m_core->faults.partialBytes = bytes;
}

void SimDevice::failBulkReads(unsigned count) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->faults.bulkIoErrors += count;
}

bool SimDevice::failDeviceDescriptor(bool fail) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->descriptorFails = fail;
    if (m_core->plugged)
        detail::setDeviceDescriptorFails(m_core->address.bus, m_core->address.address, fail);
    return detail::descriptorInterposerLinked();
}

void SimDevice::setUsbfsCapabilities(uint32_t capabilities) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->capabilities = capabilities;
}

void SimDevice::setBulkBandwidth(double bytesPerSecond) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->pacing.setBandwidth(bytesPerSecond);
}

double SimDevice::bulkBandwidth() const {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return m_core->pacing.bandwidth();
}

std::vector<ControlRecord> SimDevice::controlRecords() const {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return m_core->log.controls();
}

std::vector<BulkRecord> SimDevice::bulkRecords() const {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return m_core->log.bulks();
}

void SimDevice::clearRecords() {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->log.clear();
}

void SimDevice::setRecording(bool on) {
    std::lock_guard<std::mutex> guard(m_core->lock);
    m_core->log.setEnabled(on);
}

unsigned SimDevice::resetCount() const {
    std::lock_guard<std::mutex> guard(m_core->lock);
    return m_core->resets;
}

}  // namespace zoqsim
