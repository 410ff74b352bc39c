// CZOQBusUsb: the USB bus. It owns the libusb context, finds the cameras
// among the USB devices, and carries every vendor request and frame read of
// its device objects.
#pragma once

#include <libusb.h>

#include <cstdint>
#include <mutex>

#include "usb/IZOQBus.h"
#include "usb/ZOQBusUsb_DeviceIds.h"

class CZOQDeviceOnBusUsb;

// The endpoint frames are read from: the last endpoint of the last alternate
// setting that has one (the second argument is unused).
int get_device_bulk_endpoint_address(libusb_device* device, int unused);

// The all-ones handle value that marks a closed device.
inline libusb_device_handle* ClosedUsbHandle() {
    return reinterpret_cast<libusb_device_handle*>(~static_cast<uintptr_t>(0));
}

// The device list of a libusb context, freed (and unreferenced) on scope
// exit; a device object keeps its own reference to the camera it holds.
class UsbDeviceList {
public:
    explicit UsbDeviceList(libusb_context* context) {
        if (context != nullptr) m_count = libusb_get_device_list(context, &m_list);
    }
    ~UsbDeviceList() {
        if (m_list != nullptr) libusb_free_device_list(m_list, 1);
    }
    UsbDeviceList(const UsbDeviceList&) = delete;
    UsbDeviceList& operator=(const UsbDeviceList&) = delete;
    bool ok() const { return m_list != nullptr && m_count >= 0; }
    ssize_t size() const { return m_count; }
    libusb_device* operator[](ssize_t i) const { return m_list[i]; }

private:
    libusb_device** m_list = nullptr;
    ssize_t m_count = -1;
};

class CZOQBusUsb : public IZOQBus {
public:
    static constexpr int kOpenedAddressSlots = 32;
    static constexpr unsigned int kControlTimeoutMs = 2000;

    explicit CZOQBusUsb(CBusManager* manager);
    ~CZOQBusUsb() override;

    int GetDeviceNumOnBus() override { return m_nDeviceCount; }
    int AddAllDevice() override;

    // Frames.
    int Bus_CatchOneFrame(CZOQDevice* device, unsigned char* data, int length,
                          unsigned int timeout) override;
    int Bus_SoftStart(CZOQDevice* device) override;
    int Bus_ReadAfterStart(CZOQDevice* device, unsigned char* data, int length,
                           unsigned int timeout) override;
    int Bus_CatchStart(CZOQDevice* device) override;
    int Bus_CatchRead(CZOQDevice* device, unsigned char* data, int length,
                      unsigned int timeout) override;

    // Vendor requests of a device object.
    int VendorCmd_GetDeviceInformation(CZOQDevice* device, unsigned short* type, int* serial,
                                       unsigned short* firmware) override;
    int VendorCmd_WrSensor(CZOQDevice* device, unsigned int addr, unsigned int value) override;
    int VendorCmd_RdSensor(CZOQDevice* device, unsigned int addr, unsigned int* value) override;
    int VendorCmd_WrFpga(CZOQDevice* device, unsigned int addr, unsigned int value) override;
    int VendorCmd_RdFpga(CZOQDevice* device, unsigned int addr, unsigned int* value) override;
    int VendorCmd_SetWorkingMode(CZOQDevice* device, unsigned short mode) override;
    int VendorCmd_GetWorkingMode(CZOQDevice* device, unsigned short* mode) override;
    int VendorCmd_SetTriggerDelay(CZOQDevice* device, unsigned short delay) override;
    int VendorCmd_GetTriggerDelay(CZOQDevice* device, unsigned short* delay) override;
    int VendorCmd_DownloadLUT(CZOQDevice* device, unsigned short offset, unsigned char* data,
                              int count) override;
    int VendorCmd_DownloadGammaLUT(CZOQDevice* device, unsigned short offset,
                                   unsigned short* entries, int count) override;
    int VendorCmd_WrEEPROM(CZOQDevice* device, unsigned short addr, unsigned char value) override;
    int VendorCmd_RdEEPROM(CZOQDevice* device, unsigned short addr, unsigned char* value) override;
    int VendorCmd_WrEEPROMEx(CZOQDevice* device, unsigned int addr, unsigned char value) override;
    int VendorCmd_RdEEPROMEx(CZOQDevice* device, unsigned int addr, unsigned char* value) override;
    int VendorCmd_WrEEPROMExEx(CZOQDevice* device, unsigned int addr, unsigned char* buffer,
                               int count) override;
    int VendorCmd_RdEEPROMExEx(CZOQDevice* device, unsigned int addr, int count,
                               unsigned char* buffer) override;

    // Requests that take the handle itself.
    int VendorCmd_ResetDevice(libusb_device_handle* handle);
    int VendorCmd_TriggerOneFrame(libusb_device_handle* handle);
    int VendorCmd_SendPktEnd(libusb_device_handle* handle);

    // Transfer primitives: device-to-host (transfer failure -8) and
    // host-to-device (transfer failure -3); -17 for a closed handle.
    int VendorCmd(libusb_device_handle* handle, _tagUSBCmd* cmd, unsigned char* data);
    int VendorCmdWithOutData(libusb_device_handle* handle, _tagUSBCmd* cmd, unsigned char* data,
                             int length);

    // The context, or null when libusb could not be initialised.
    libusb_context* Context() const { return m_pContext; }

    // The first camera at or after position from of list that no device
    // object of this bus holds open: its position, list.size() when there is
    // none, -1 when a device's descriptor cannot be read (the search stops).
    ssize_t NextFreeCamera(const UsbDeviceList& list, ssize_t from) const;

    // Opened-address table: addresses of the cameras this bus holds open.
    // Device objects that claim a camera or let one go hold this lock, so
    // that two of them (on two threads) never take the same camera or entry.
    std::unique_lock<std::recursive_mutex> LockClaims() const {
        return std::unique_lock<std::recursive_mutex>(m_claimLock);
    }
    bool IsAddressOpened(int address) const;
    // Index of the first free entry, or -1 when all are used.
    int FirstFreeAddressEntry() const;
    void SetAddressEntry(int entry, int address) { m_nOpenedAddress[entry] = address; }
    void ReleaseAddress(int address);

private:
    static libusb_device_handle* HandleOf(CZOQDevice* device);
    // A device-to-host request answered with a status byte first: the reply
    // is preset, sent, and refused unless its byte 0 is 0.
    int StatusRequest(libusb_device_handle* handle, uint8_t request, uint16_t value, uint16_t index,
                      unsigned char* reply, uint16_t length, uint8_t preset);
    // Sensor and FPGA register access: three-byte replies [status, high, low]
    // preset with `preset`.
    int RegisterRead(CZOQDevice* device, uint8_t request, uint8_t preset, unsigned int addr,
                     unsigned int* value);
    int RegisterWrite(CZOQDevice* device, uint8_t request, uint8_t preset, unsigned int addr,
                      unsigned int value);
    // A status request whose output the caller must give: -17 for a closed
    // handle, then -1 for a null output, before any transfer.
    int StatusRead(CZOQDevice* device, const void* output, uint8_t request, uint16_t value,
                   uint16_t index, unsigned char* reply, uint16_t length);

    libusb_context* m_pContext = nullptr;
    mutable std::recursive_mutex m_claimLock;
    int m_nOpenedAddress[kOpenedAddressSlots];
};
