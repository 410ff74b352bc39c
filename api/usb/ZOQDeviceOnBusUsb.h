// CZOQDeviceOnBusUsb: a camera on the USB bus. Claims a physical camera,
// binds the plug-in of its device type, reads frames with a recovery
// strategy and finds the same camera again after it was lost.
#pragma once

#include <libusb.h>

#include "device/ZOQDevice.h"
#include "usb/ZOQBusUsb.h"

class CZOQDeviceOnBusUsb : public CZOQDevice {
public:
    explicit CZOQDeviceOnBusUsb(CZOQBusUsb* bus);
    ~CZOQDeviceOnBusUsb() override;

    int VendorCmd(_tagUSBCmd* cmd, unsigned char* data) override;
    int Open() override;
    int OpenLostDevice() override;
    int Close() override;
    int Reset() override;
    int ReadRawData(unsigned char* data) override;
    int SoftStart() override;
    int ReadAfterStart(unsigned char* data) override;

    int AddCamera();
    int DelCamera();
    int InitDevice();
    int Recover();

    libusb_device_handle* UsbHandle() const { return m_hDevice; }
    unsigned int BulkEndpointAddress() const { return m_uBulkEndpointAddress; }

private:
    CZOQBusUsb* UsbBus() const { return static_cast<CZOQBusUsb*>(m_pBus); }
    // Opens and claims a listed camera and records it; false when it cannot
    // be opened (after the pause a busy device needs).
    bool Claim(libusb_device* device, int entry);
    // Writes which device node refused to open for lack of permission.
    void LogAccessDenied(libusb_device* device);
    // Releases the handle of a camera that turned out not to be ours.
    void Unclaim();
    bool IsClosed() const override { return m_hDevice == ClosedUsbHandle(); }
    int ReopenForRead() override;
    // Takes the result of a failed frame read through reset or recovery.
    int AfterFailedRead(int readResult, bool recover) override;

    libusb_device_handle* m_hDevice;
    int m_nAddress = -1;
    libusb_device* m_pUsbDevice = nullptr;  // referenced while held
    unsigned int m_uBulkEndpointAddress = 0;
};
