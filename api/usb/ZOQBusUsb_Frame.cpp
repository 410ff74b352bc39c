// Frame transfer: trigger one frame, then read it from the frame endpoint in
// one bulk transfer straight into the caller's buffer.
#include <cstdint>
#include <cstdio>

#include "platform/winfunction_linux.h"
#include "usb/ZOQBusUsb.h"
#include "usb/ZOQDeviceOnBusUsb.h"

namespace {

constexpr int kReadAttempts = 2;

// A failed step of catching a frame: its console line, its log line, its code.
int CatchFailed(CZOQDevice* device, const char* console, const char* logFormat, int rc) {
    fputs(console, stdout);
    fflush(stdout);
    ZOQLOG_OUTPUT(device->LogHandle(), 10, logFormat, rc);
    return rc;
}

}  // namespace

int CZOQBusUsb::Bus_SoftStart(CZOQDevice* device) {
    libusb_device_handle* handle = HandleOf(device);
    if (handle == ClosedUsbHandle()) return RC_INVALID_HANDLE;
    return VendorCmd_TriggerOneFrame(handle);
}

int CZOQBusUsb::Bus_ReadAfterStart(CZOQDevice* device, unsigned char* data, int length,
                                   unsigned int timeout) {
    auto* usbDevice = static_cast<CZOQDeviceOnBusUsb*>(device);
    libusb_device_handle* handle = usbDevice->UsbHandle();
    if (handle == ClosedUsbHandle()) return RC_INVALID_HANDLE;
    if (data == nullptr || length <= 0) return RC_PARAMETER_ERROR;
    unsigned char endpoint = static_cast<unsigned char>(usbDevice->BulkEndpointAddress() & 0xFF);
    int received = 0;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        received = 0;
        int rc = libusb_bulk_transfer(handle, endpoint, data, length, &received, timeout);
        if (rc >= 0) break;
        printf(
            "libusb_bulk_transfer nRetryTimes = %d, ret = %d, hPipe = 0x%x, "
            "m_uBulkEndpointAddress = 0x%x, nTotalBytes = %d, nNumberOfBytesRead = %d \n",
            kReadAttempts - attempt, rc,
            static_cast<unsigned int>(reinterpret_cast<uintptr_t>(handle)),
            usbDevice->BulkEndpointAddress(), length, received);
        fflush(stdout);
        // Only an input/output error is worth a second attempt; a time-out is
        // not (the frame is gone).
        if (rc != LIBUSB_ERROR_IO) return RC_FAIL;
    }
    if (received == length) return RC_SUCCESS;
    int result = received == 0 ? RC_ZERO_FRAME : RC_INVALID_FRAME;
    ZOQLOG_OUTPUT(device->LogHandle(), 10,
                  "CZOQBusUsb::nNumberOfBytesRead =%d  expected is %d  nRet = %d ", received,
                  length, result);
    return result;
}

int CZOQBusUsb::Bus_CatchOneFrame(CZOQDevice* device, unsigned char* data, int length,
                                  unsigned int timeout) {
    int rc = Bus_CatchStart(device);
    if (rc != RC_SUCCESS) return rc;
    return Bus_CatchRead(device, data, length, timeout);
}

int CZOQBusUsb::Bus_CatchStart(CZOQDevice* device) {
    libusb_device_handle* handle = HandleOf(device);
    if (handle == ClosedUsbHandle()) return RC_INVALID_HANDLE;
    int rc = VendorCmd_TriggerOneFrame(handle);
    if (rc == RC_SUCCESS) return RC_SUCCESS;
    return CatchFailed(device, "VendorCmd_TriggerOneFrame error \n",
                       "CZOQBusUsb::ReadData VendorCmd_TriggerOneFrame error nRet = %d ", rc);
}

int CZOQBusUsb::Bus_CatchRead(CZOQDevice* device, unsigned char* data, int length,
                              unsigned int timeout) {
    int rc = Bus_ReadAfterStart(device, data, length, timeout);
    if (rc == RC_SUCCESS) return RC_SUCCESS;
    return CatchFailed(device, "ReadRawDataAfterStart error \n",
                       "CZOQBusUsb::ReadData ReadRawDataAfterStart error  nRet = %d ", rc);
}
