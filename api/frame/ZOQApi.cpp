// Library start and stop, device count and identity, open and close,
// version and error texts.
#include <cstring>
#include <new>

#include "frame/ZOQApiForward.h"

namespace {

struct ErrorText {
    int code;
    const char* text;
};

// Texts are part of the interface: applications compare them.
constexpr ErrorText g_szErrorInfo[] = {
    {RC_SUCCESS, "Successful"},
    {RC_PARAMETER_ERROR, "Parameter Error"},
    {RC_ALLOC_FAILED, "Memory Allocation Failed"},
    {RC_NOT_SUPPORTED, "Operation is not Supported"},
    {RC_NO_DEVICE, "Device cannt be Detected"},
    {RC_NOT_INITIALIZED, "Device wasn't Initialized"},
    {RC_ILLEGAL_OPERATION, "Illegal Operation"},
    {RC_NO_PRIVILEGE, "User No Privilege"},
    {RC_FAIL, "Fail"},
    {RC_WRONG, "Wrong"},
    {RC_RECOVERY_DONE, "Device Recovery Successful"},
    {RC_RECOVERY_FAILED, "Device Recovery Fail"},
    {RC_BAD_FRAME, "Bad Frame From Device, Should be Discarded"},
    {RC_INVALID_FRAME, "Invalid Frame, Transmission Error"},
    {RC_ZERO_FRAME, "Zero Frame, Tranmission Error"},
    {RC_VERSION_ERROR, "Version Error"},
    {RC_TIMEOUT, "Time Out"},
    {RC_DEVICE_CLOSED, "Device Has Closed"},
    {RC_BUS_NOT_INITIALIZED, "Bus Not Initial"},
    {RC_CAMERA_NOT_CREATED, "Camera Not Create"},
    {RC_INVALID_HANDLE, "Invalid Handle"},
};

constexpr int kVersion[4] = {ZOQ_VERSION_MAJOR, ZOQ_VERSION_MINOR, ZOQ_VERSION_PATCH, 0};

}  // namespace

ZOQ_API int ZOQ_Init(void) {
    if (g_pBusManager != nullptr) return RC_SUCCESS;
    try {
        g_pBusManager = new CBusManager();
    } catch (const std::bad_alloc&) {
        return RC_ALLOC_FAILED;
    }
    return RC_SUCCESS;
}

ZOQ_API int ZOQ_UnInit(void) {
    delete g_pBusManager;
    g_pBusManager = nullptr;
    return RC_SUCCESS;
}

ZOQ_API int ZOQ_DeviceGetCount(void) {
    if (g_pBusManager == nullptr) return RC_NOT_INITIALIZED;
    return g_pBusManager->GetDeviceCount();
}

ZOQ_API int ZOQ_DeviceGetInformation(int index, unsigned short* deviceType, int* serial,
                                     unsigned short* firmwareVersion) {
    return ZoqWithDevice(index, RC_DEVICE_CLOSED, [&](CZOQDevice& device) {
        return device.GetDeviceInformation(deviceType, serial, firmwareVersion);
    });
}

ZOQ_API int ZOQ_DeviceGetInformationEx(int index, unsigned short* deviceType, int* serial,
                                       unsigned short* firmwareVersion,
                                       unsigned short* fpgaVersion) {
    return ZoqWithDevice(index, RC_DEVICE_CLOSED, [&](CZOQDevice& device) {
        return device.GetDeviceInformationEx(deviceType, serial, firmwareVersion, fpgaVersion);
    });
}

ZOQ_API int ZOQ_Open(int index) {
    return ZoqWithDevice(index, RC_FAIL, [](CZOQDevice& device) { return device.Open(); });
}

ZOQ_API int ZOQ_Close(int index) {
    return ZoqWithDevice(index, RC_FAIL, [](CZOQDevice& device) { return device.Close(); });
}

ZOQ_API int ZOQ_VendorCmd(int index, _tagUSBCmd* cmd, unsigned char* data) {
    return ZoqWithDevice(index, RC_FAIL,
                         [&](CZOQDevice& device) { return device.VendorCmd(cmd, data); });
}

ZOQ_API int ZOQ_GetVersion(int* major, int* minor, int* build, int* revision) {
    int* out[4] = {major, minor, build, revision};
    for (int i = 0; i < 4; ++i)
        if (out[i] != nullptr) *out[i] = kVersion[i];
    return RC_SUCCESS;
}

ZOQ_API int ZOQ_GetErrorInfo(int code, char* text) {
    for (const ErrorText& entry : g_szErrorInfo) {
        if (entry.code == code) {
            if (text != nullptr) strcpy(text, entry.text);
            return RC_SUCCESS;
        }
    }
    if (text != nullptr) strcpy(text, "Operation is not Supported");
    return RC_NOT_SUPPORTED;
}

ZOQ_API int ZOQ_CaptureRgbDataEx(int, unsigned char*, int*, int*, int*) {
    return g_pBusManager == nullptr ? RC_NOT_INITIALIZED : RC_SUCCESS;
}
