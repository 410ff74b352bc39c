#include "usb/IZOQBus.h"

#include <mutex>

#include "device/ZOQDevice.h"

IZOQBus::~IZOQBus() {
    DelAllDevice();
}

void IZOQBus::OpenAllDevice() {
    for (CZOQDevice* device : m_pDevices)
        if (device != nullptr) device->Open();
}

void IZOQBus::CloseAllDevice() {
    for (CZOQDevice* device : m_pDevices)
        if (device != nullptr) device->Close();
}

void IZOQBus::DelAllDevice() {
    for (CZOQDevice*& device : m_pDevices) {
        delete device;
        device = nullptr;
    }
    m_nDeviceCount = 0;
}

CZOQDevice* IZOQBus::GetDevice(int index) const {
    if (index < 0 || index >= kMaxDevices) return nullptr;
    return m_pDevices[index];
}

int IZOQBus::LogSet(bool enable, const char* folder) {
    for (CZOQDevice* device : m_pDevices) {
        if (device == nullptr) continue;
        // Transfers log through the handle this replaces.
        std::lock_guard<std::recursive_mutex> state(device->StateLock());
        std::lock_guard<std::recursive_mutex> io(device->IoLock());
        device->LogSet(enable, folder);
    }
    return RC_SUCCESS;
}

bool IZOQBus::AddDevice(CZOQDevice* device) {
    if (m_nDeviceCount >= kMaxDevices) {
        delete device;
        return false;
    }
    m_pDevices[m_nDeviceCount++] = device;
    return true;
}
