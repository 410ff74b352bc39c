// Vendor control requests on endpoint 0: the two transfer primitives and
// every request the library sends.
#include <cstring>

#include "ZoqOut.h"
#include "usb/ZOQBusUsb.h"
#include "usb/ZOQDeviceOnBusUsb.h"

namespace {

constexpr uint8_t kDeviceToHost = 0xC0;
constexpr uint8_t kHostToDevice = 0x40;

enum Request : uint8_t {
    kRdFpga = 0x2A,
    kWrFpga = 0x2B,
    kRdSensor = 0xC2,
    kWrSensor = 0xC3,
    kRdEEPROM = 0xC4,
    kWrEEPROM = 0xC5,
    kTriggerOneFrame = 0xC8,
    kGetDeviceInformation = 0xC9,
    kSetWorkingMode = 0xCE,
    kGetWorkingMode = 0xCF,
    kRdEEPROMEx = 0xD2,
    kWrEEPROMEx = 0xD3,
    kRdEEPROMExEx = 0xD4,
    kWrEEPROMExEx = 0xD5,
    kSetTriggerDelay = 0xD6,
    kGetTriggerDelay = 0xD8,
    kResetDevice = 0xDB,
    kDownloadLUT = 0xDD,
    kSendPktEnd = 0xE2,
    kDownloadGammaLUT = 0xE9,
};

constexpr int kMaxLutChunk = 64;       // bytes per LUT request
constexpr int kMaxGammaLutChunk = 32;  // entries per gamma LUT request

_tagUSBCmd MakeCmd(uint8_t direction, uint8_t request, uint16_t value, uint16_t index,
                   uint16_t length) {
    _tagUSBCmd cmd;
    cmd.bmRequestType = direction;
    cmd.bRequest = request;
    cmd.wValue = value;
    cmd.wIndex = index;
    cmd.wLength = length;
    return cmd;
}

bool IsClosed(libusb_device_handle* handle) {
    return handle == ClosedUsbHandle();
}

bool ValidBlockCount(int count) {
    return count >= 0 && count <= 0xFFFF;
}

}  // namespace

libusb_device_handle* CZOQBusUsb::HandleOf(CZOQDevice* device) {
    return static_cast<CZOQDeviceOnBusUsb*>(device)->UsbHandle();
}

int CZOQBusUsb::VendorCmd(libusb_device_handle* handle, _tagUSBCmd* cmd, unsigned char* data) {
    if (IsClosed(handle)) return RC_DEVICE_CLOSED;
    int rc = libusb_control_transfer(handle, kDeviceToHost, cmd->bRequest, cmd->wValue, cmd->wIndex,
                                     data, cmd->wLength, kControlTimeoutMs);
    return rc > 0 ? RC_SUCCESS : RC_FAIL;
}

int CZOQBusUsb::VendorCmdWithOutData(libusb_device_handle* handle, _tagUSBCmd* cmd,
                                     unsigned char* data, int) {
    if (IsClosed(handle)) return RC_DEVICE_CLOSED;
    int rc = libusb_control_transfer(handle, kHostToDevice, cmd->bRequest, cmd->wValue, cmd->wIndex,
                                     data, cmd->wLength, kControlTimeoutMs);
    return rc > 0 ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQBusUsb::StatusRequest(libusb_device_handle* handle, uint8_t request, uint16_t value,
                              uint16_t index, unsigned char* reply, uint16_t length,
                              uint8_t preset) {
    memset(reply, preset, length);
    _tagUSBCmd cmd = MakeCmd(kDeviceToHost, request, value, index, length);
    int rc = VendorCmd(handle, &cmd, reply);
    if (rc != RC_SUCCESS) return rc;
    return reply[0] == 0 ? RC_SUCCESS : RC_FAIL;
}

int CZOQBusUsb::StatusRead(CZOQDevice* device, const void* output, uint8_t request, uint16_t value,
                           uint16_t index, unsigned char* reply, uint16_t length) {
    libusb_device_handle* handle = HandleOf(device);
    if (IsClosed(handle)) return RC_DEVICE_CLOSED;
    if (output == nullptr) return RC_PARAMETER_ERROR;
    return StatusRequest(handle, request, value, index, reply, length, 0x00);
}

int CZOQBusUsb::RegisterRead(CZOQDevice* device, uint8_t request, uint8_t preset, unsigned int addr,
                             unsigned int* value) {
    unsigned char reply[3];
    int rc =
        StatusRequest(HandleOf(device), request, static_cast<uint16_t>(addr), 0, reply, 3, preset);
    // Register values come back high byte first.
    if (rc == RC_SUCCESS && value != nullptr) *value = reply[1] * 256u + reply[2];
    return rc;
}

int CZOQBusUsb::RegisterWrite(CZOQDevice* device, uint8_t request, uint8_t preset,
                              unsigned int addr, unsigned int value) {
    unsigned char reply[3];
    return StatusRequest(HandleOf(device), request, static_cast<uint16_t>(addr),
                         static_cast<uint16_t>(value), reply, 3, preset);
}

int CZOQBusUsb::VendorCmd_RdFpga(CZOQDevice* device, unsigned int addr, unsigned int* value) {
    return RegisterRead(device, kRdFpga, 0xFF, addr, value);
}

int CZOQBusUsb::VendorCmd_WrFpga(CZOQDevice* device, unsigned int addr, unsigned int value) {
    return RegisterWrite(device, kWrFpga, 0xFF, addr, value);
}

int CZOQBusUsb::VendorCmd_RdSensor(CZOQDevice* device, unsigned int addr, unsigned int* value) {
    return RegisterRead(device, kRdSensor, 0x00, addr, value);
}

int CZOQBusUsb::VendorCmd_WrSensor(CZOQDevice* device, unsigned int addr, unsigned int value) {
    return RegisterWrite(device, kWrSensor, 0x00, addr, value);
}

int CZOQBusUsb::VendorCmd_RdEEPROM(CZOQDevice* device, unsigned short addr, unsigned char* value) {
    unsigned char reply[2];
    int rc = StatusRead(device, value, kRdEEPROM, addr, 0, reply, 2);
    if (rc == RC_SUCCESS) *value = reply[1];
    return rc;
}

int CZOQBusUsb::VendorCmd_WrEEPROM(CZOQDevice* device, unsigned short addr, unsigned char value) {
    unsigned char reply[1];
    return StatusRequest(HandleOf(device), kWrEEPROM, addr, value, reply, 1, 0x00);
}

int CZOQBusUsb::VendorCmd_TriggerOneFrame(libusb_device_handle* handle) {
    unsigned char reply[1];
    return StatusRequest(handle, kTriggerOneFrame, 0, 0, reply, 1, 0xFF);
}

int CZOQBusUsb::VendorCmd_GetDeviceInformation(CZOQDevice* device, unsigned short* type,
                                               int* serial, unsigned short* firmware) {
    unsigned char reply[5];
    int rc = StatusRequest(HandleOf(device), kGetDeviceInformation, 0, 0, reply, 5, 0xFF);
    if (rc != RC_SUCCESS) return rc;
    zoq::Put(type, reply[1]);
    zoq::Put(serial, reply[2]);
    zoq::Put(firmware, static_cast<unsigned short>(reply[3] + 256 * reply[4]));
    return RC_SUCCESS;
}

int CZOQBusUsb::VendorCmd_SetWorkingMode(CZOQDevice* device, unsigned short mode) {
    unsigned char reply[1];
    return StatusRequest(HandleOf(device), kSetWorkingMode, mode, 0, reply, 1, 0xFF);
}

int CZOQBusUsb::VendorCmd_GetWorkingMode(CZOQDevice* device, unsigned short* mode) {
    unsigned char reply[3];
    int rc = StatusRead(device, mode, kGetWorkingMode, 0, 0, reply, 3);
    if (rc == RC_SUCCESS) *mode = static_cast<unsigned short>(reply[1] + 256 * reply[2]);
    return rc;
}

int CZOQBusUsb::VendorCmd_RdEEPROMEx(CZOQDevice* device, unsigned int addr, unsigned char* value) {
    unsigned char reply[2];
    int rc = StatusRead(device, value, kRdEEPROMEx, static_cast<uint16_t>(addr >> 16),
                        static_cast<uint16_t>(addr & 0xFFFF), reply, 2);
    if (rc == RC_SUCCESS) *value = reply[1];
    return rc;
}

int CZOQBusUsb::VendorCmd_WrEEPROMEx(CZOQDevice* device, unsigned int addr, unsigned char value) {
    // The 24-bit address travels in the data stage, most significant first.
    unsigned char data[4] = {
        static_cast<unsigned char>(addr >> 24), static_cast<unsigned char>(addr >> 16),
        static_cast<unsigned char>(addr >> 8), static_cast<unsigned char>(addr)};
    _tagUSBCmd cmd = MakeCmd(kHostToDevice, kWrEEPROMEx, 0, value, sizeof data);
    return VendorCmdWithOutData(HandleOf(device), &cmd, data, sizeof data);
}

int CZOQBusUsb::VendorCmd_RdEEPROMExEx(CZOQDevice* device, unsigned int addr, int count,
                                       unsigned char* buffer) {
    libusb_device_handle* handle = HandleOf(device);
    if (IsClosed(handle)) return RC_DEVICE_CLOSED;
    if (buffer == nullptr || !ValidBlockCount(count)) return RC_PARAMETER_ERROR;
    _tagUSBCmd cmd = MakeCmd(kDeviceToHost, kRdEEPROMExEx, static_cast<uint16_t>(addr >> 16),
                             static_cast<uint16_t>(addr & 0xFFFF), static_cast<uint16_t>(count));
    return VendorCmd(handle, &cmd, buffer);
}

int CZOQBusUsb::VendorCmd_WrEEPROMExEx(CZOQDevice* device, unsigned int addr, unsigned char* buffer,
                                       int count) {
    libusb_device_handle* handle = HandleOf(device);
    if (IsClosed(handle)) return RC_DEVICE_CLOSED;
    if (buffer == nullptr || !ValidBlockCount(count)) return RC_PARAMETER_ERROR;
    _tagUSBCmd cmd = MakeCmd(kHostToDevice, kWrEEPROMExEx, static_cast<uint16_t>(addr >> 16),
                             static_cast<uint16_t>(addr & 0xFFFF), static_cast<uint16_t>(count));
    return VendorCmdWithOutData(handle, &cmd, buffer, count);
}

int CZOQBusUsb::VendorCmd_SetTriggerDelay(CZOQDevice* device, unsigned short delay) {
    unsigned char reply[1];
    return StatusRequest(HandleOf(device), kSetTriggerDelay, delay, 0, reply, 1, 0xFF);
}

int CZOQBusUsb::VendorCmd_GetTriggerDelay(CZOQDevice* device, unsigned short* delay) {
    unsigned char reply[3];
    int rc = StatusRead(device, delay, kGetTriggerDelay, 0, 0, reply, 3);
    if (rc == RC_SUCCESS) *delay = static_cast<unsigned short>(reply[1] + 256 * reply[2]);
    return rc;
}

int CZOQBusUsb::VendorCmd_ResetDevice(libusb_device_handle* handle) {
    unsigned char reply[1];
    return StatusRequest(handle, kResetDevice, 0, 0, reply, 1, 0xFF);
}

int CZOQBusUsb::VendorCmd_SendPktEnd(libusb_device_handle* handle) {
    unsigned char reply[1];
    return StatusRequest(handle, kSendPktEnd, 0, 0, reply, 1, 0xFF);
}

int CZOQBusUsb::VendorCmd_DownloadLUT(CZOQDevice* device, unsigned short offset,
                                      unsigned char* data, int count) {
    libusb_device_handle* handle = HandleOf(device);
    if (IsClosed(handle)) return RC_DEVICE_CLOSED;
    if (count > kMaxLutChunk || count < 0 || data == nullptr) return RC_PARAMETER_ERROR;
    _tagUSBCmd cmd = MakeCmd(kHostToDevice, kDownloadLUT, offset, 0, static_cast<uint16_t>(count));
    return VendorCmdWithOutData(handle, &cmd, data, count);
}

int CZOQBusUsb::VendorCmd_DownloadGammaLUT(CZOQDevice* device, unsigned short offset,
                                           unsigned short* entries, int count) {
    libusb_device_handle* handle = HandleOf(device);
    if (IsClosed(handle)) return RC_DEVICE_CLOSED;
    if (count > kMaxGammaLutChunk || count < 0 || entries == nullptr) return RC_PARAMETER_ERROR;
    unsigned char data[2 * kMaxGammaLutChunk];
    for (int i = 0; i < count; ++i) {  // entries travel low byte first
        data[2 * i] = static_cast<unsigned char>(entries[i] & 0xFF);
        data[2 * i + 1] = static_cast<unsigned char>(entries[i] >> 8);
    }
    _tagUSBCmd cmd =
        MakeCmd(kHostToDevice, kDownloadGammaLUT, offset, 0, static_cast<uint16_t>(2 * count));
    return VendorCmdWithOutData(handle, &cmd, data, 2 * count);
}
