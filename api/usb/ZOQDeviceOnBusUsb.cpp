#include "usb/ZOQDeviceOnBusUsb.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/ZOQLogControl.h"
#include "platform/winfunction_linux.h"

namespace {

constexpr int kApiVersion[4] = {ZOQ_VERSION_MAJOR, ZOQ_VERSION_MINOR, ZOQ_VERSION_PATCH, 0};

// Pauses that give a camera time to come back after a reset or replug.
constexpr useconds_t kOpenRetryPauseUs = 500 * 1000;
constexpr useconds_t kLostDeviceSettleUs = 300 * 1000;
constexpr useconds_t kLostDeviceClaimedUs = 200 * 1000;
constexpr useconds_t kLostDeviceDoneUs = 1000 * 1000;

std::string DlError() {
    const char* error = dlerror();
    return error != nullptr ? error : "";
}

// The folder of libzoqapi, with a trailing slash ("" when unknown).
std::string LibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&get_device_bulk_endpoint_address), &info) == 0 ||
        info.dli_fname == nullptr)
        return "";
    std::string path = info.dli_fname;
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace

CZOQDeviceOnBusUsb::CZOQDeviceOnBusUsb(CZOQBusUsb* bus)
    : CZOQDevice(bus), m_hDevice(ClosedUsbHandle()) {}

CZOQDeviceOnBusUsb::~CZOQDeviceOnBusUsb() {
    DelCamera();
    Close();
}

int CZOQDeviceOnBusUsb::VendorCmd(_tagUSBCmd* cmd, unsigned char* data) {
    IoGuard io(m_ioLock);
    if (m_hDevice == ClosedUsbHandle()) return RC_DEVICE_CLOSED;
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    if (cmd == nullptr || (data == nullptr && cmd->wLength > 0)) return RC_PARAMETER_ERROR;
    return UsbBus()->VendorCmd(m_hDevice, cmd, data);
}

bool CZOQDeviceOnBusUsb::Claim(libusb_device* device, int entry) {
    libusb_device_handle* handle = nullptr;
    int rc = libusb_open(device, &handle);
    if (rc != LIBUSB_SUCCESS) {
        if (rc == LIBUSB_ERROR_ACCESS) LogAccessDenied(device);
        usleep(kOpenRetryPauseUs);
        return false;
    }
    libusb_claim_interface(handle, 0);
    m_hDevice = handle;
    m_nAddress = libusb_get_device_address(device);
    UsbBus()->SetAddressEntry(entry, m_nAddress);
    m_pUsbDevice = libusb_ref_device(device);
    m_uBulkEndpointAddress = static_cast<unsigned int>(get_device_bulk_endpoint_address(device, 0));
    return true;
}

void CZOQDeviceOnBusUsb::LogAccessDenied(libusb_device* device) {
    libusb_device_descriptor descriptor{};
    libusb_get_device_descriptor(device, &descriptor);
    // The camera's identity, which names the log file, cannot be read: a
    // device that never opened gets a log for this line only.
    bool oneLine = m_hLog == nullptr && g_bLogEnable != 0;
    if (oneLine) LogSet(true, g_szLogFolder);
    ZOQLOG_OUTPUT(m_hLog, 10,
                  "ZOQAPI::Open /dev/bus/usb/%03d/%03d (%04x:%04x) permission denied: the camera "
                  "needs the udev rules 60-zoq-cameras.rules (uaccess, group plugdev)",
                  libusb_get_bus_number(device), libusb_get_device_address(device),
                  descriptor.idVendor, descriptor.idProduct);
    if (oneLine) LogSet(false, nullptr);
}

void CZOQDeviceOnBusUsb::Unclaim() {
    std::unique_lock<std::recursive_mutex> claims;
    if (m_pBus != nullptr) claims = UsbBus()->LockClaims();
    if (m_hDevice != ClosedUsbHandle()) {
        libusb_release_interface(m_hDevice, 0);
        libusb_close(m_hDevice);
    }
    m_hDevice = ClosedUsbHandle();
    if (m_pBus != nullptr) UsbBus()->ReleaseAddress(m_nAddress);
    m_nAddress = -1;
    if (m_pUsbDevice != nullptr) libusb_unref_device(m_pUsbDevice);
    m_pUsbDevice = nullptr;
}

int CZOQDeviceOnBusUsb::Open() {
    DEVICE_NEEDS_BUS(RC_FAIL);
    IoGuard io(m_ioLock);
    auto claims = UsbBus()->LockClaims();
    UsbDeviceList list(UsbBus()->Context());
    if (!list.ok()) return RC_FAIL;
    for (ssize_t i = 0; (i = UsbBus()->NextFreeCamera(list, i)) < list.size(); ++i) {
        if (i < 0) return RC_FAIL;
        int entry = UsbBus()->FirstFreeAddressEntry();
        if (entry < 0) continue;
        if (!Claim(list[i], entry)) continue;

        int info = VendorCmd_GetDeviceInformation(&m_uDeviceType, &m_nSerial, &m_uFirmwareVersion);
        LogSet(g_bLogEnable != 0, g_szLogFolder);
        ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::Api Version     = %d.%d.%d.%d ", kApiVersion[0],
                      kApiVersion[1], kApiVersion[2], kApiVersion[3]);
        ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::Device Type     = %d ", m_uDeviceType);
        ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::Serial          = %d  ", m_nSerial);
        ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::FirmwareVersion = %d.%d  ", m_uFirmwareVersion >> 8,
                      m_uFirmwareVersion & 0xFF);
        if (info != RC_SUCCESS) return RC_FAIL;
        AddCamera();
        return InitDevice();
    }
    return RC_FAIL;
}

int CZOQDeviceOnBusUsb::Close() {
    IoGuard io(m_ioLock);
    Unclaim();
    return RC_SUCCESS;
}

int CZOQDeviceOnBusUsb::DelCamera() {
    delete m_pCam;
    m_pCam = nullptr;
    return RC_SUCCESS;
}

int CZOQDeviceOnBusUsb::AddCamera() {
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI:: __FUNCTION__ = %s ", "AddCamera");
    if (m_hDevice == ClosedUsbHandle()) return RC_FAIL;
    // One live camera object per device: the object of an earlier open
    // belongs to whatever camera was held then.
    DelCamera();
    char name[64];
    snprintf(name, sizeof name, ZOQCAM_FILE_PATTERN, m_uDeviceType);
    dlerror();
    void* plugin = dlopen(name, RTLD_NOW);  // stays loaded for the process
    std::string error = plugin == nullptr ? DlError() : std::string();
    if (plugin == nullptr) {
        // Plug-ins live beside this library. The loader finds them there
        // through its run path, unless a tool that wraps dlopen (such as a
        // sanitizer runtime) hides which library asked.
        std::string beside = LibraryFolder() + name;
        plugin = dlopen(beside.c_str(), RTLD_NOW);
        if (plugin != nullptr) error.clear();
    }
    if (plugin == nullptr || !error.empty()) {
        // A camera without its plug-in stays in its slot, unusable; the
        // application and the other cameras carry on.
        if (!error.empty()) fprintf(stderr, "%s\n", error.c_str());
        ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::szDllName = %s dlopen fail", name);
        return RC_CAMERA_NOT_CREATED;
    }
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::szDllName = %s  dlopen success", name);
    auto create = reinterpret_cast<ZOQCAM_CREATE_FN>(dlsym(plugin, ZOQCAM_CREATE_SYMBOL));
    if (create == nullptr) return RC_CAMERA_NOT_CREATED;
    create(this, &m_pCam);
    return m_pCam == nullptr ? RC_CAMERA_NOT_CREATED : RC_SUCCESS;
}

int CZOQDeviceOnBusUsb::InitDevice() {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    Reset();
    LoadFovInfoFromCamera();
    m_BayerMode = m_pCam->Sensor_GetDefaultBayerMode();
    int width = 0;
    int height = 0;
    m_pCam->Cam_GetCaptureSize(&width, &height);
    InitColourRoadFromCamera(width, height);
    InitRawRoadFromCamera(width, height);
    return RC_SUCCESS;
}

int CZOQDeviceOnBusUsb::Reset() {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    int rc = UsbBus()->VendorCmd_ResetDevice(m_hDevice);
    if (rc != RC_SUCCESS) return rc;
    // Clearing the endpoint feature and the pipe need nothing more on this
    // platform than an open handle.
    if (m_hDevice == ClosedUsbHandle()) return RC_INVALID_HANDLE;
    rc = libusb_reset_device(m_hDevice);
    printf("ZOQAPI::  ResetDevice libusb_reset_device  nRet = %d \n", rc);
    fflush(stdout);
    return rc == LIBUSB_SUCCESS ? RC_SUCCESS : RC_FAIL;
}

int CZOQDeviceOnBusUsb::OpenLostDevice() {
    DEVICE_NEEDS_BUS(RC_FAIL);
    IoGuard io(m_ioLock);
    int result = RC_FAIL;
    {
        auto claims = UsbBus()->LockClaims();
        UsbDeviceList list(UsbBus()->Context());
        if (!list.ok()) return RC_FAIL;
        for (ssize_t i = 0; (i = UsbBus()->NextFreeCamera(list, i)) < list.size(); ++i) {
            if (i < 0) return RC_FAIL;
            usleep(kLostDeviceSettleUs);
            int entry = UsbBus()->FirstFreeAddressEntry();
            if (entry < 0) continue;
            if (!Claim(list[i], entry)) continue;
            usleep(kLostDeviceClaimedUs);

            unsigned short type = 0;
            int serial = 0;
            unsigned short firmware = 0;
            int info = VendorCmd_GetDeviceInformation(&type, &serial, &firmware);
            ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::OpenLostDevice Api Version     = %d.%d.%d.%d ",
                          kApiVersion[0], kApiVersion[1], kApiVersion[2], kApiVersion[3]);
            ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::OpenLostDevice Device Type     = %d ", type);
            ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::OpenLostDevice Serial          = %d ", serial);
            ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::OpenLostDevice FirmwareVersion = %d.%d ",
                          firmware >> 8, firmware & 0xFF);
            // A camera that cannot tell who it is is not taken for ours.
            bool same = info == RC_SUCCESS && type == m_uDeviceType && serial == m_nSerial &&
                        firmware == m_uFirmwareVersion;
            if (same) {
                result = RC_SUCCESS;
            } else {
                Unclaim();
                result = RC_FAIL;
            }
            break;  // only the first free camera is tried
        }
    }
    usleep(kLostDeviceDoneUs);
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::OpenLostDevice nRet = %d  ", result);
    return result;
}

int CZOQDeviceOnBusUsb::Recover() {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    IoGuard io(m_ioLock);
    int rc = Close();
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::CZOQDeviceOnBusUsb::Recover Close()  nRet = %d  ", rc);
    if (rc != RC_SUCCESS) return rc;
    rc = OpenLostDevice();
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::CZOQDeviceOnBusUsb::Recover OpenLostDevice()  nRet = %d  ",
                  rc);
    if (rc != RC_SUCCESS) return rc;
    rc = m_pCam->Cam_RecoverRelatedRegValue();
    ZOQLOG_OUTPUT(m_hLog, 10,
                  "ZOQAPI::CZOQDeviceOnBusUsb::Recover  m_pCam->Cam_RecoverRelatedRegValue() "
                  "nRet = %d  ",
                  rc);
    if (rc != RC_SUCCESS) return rc;
    rc = Reset();
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::CZOQDeviceOnBusUsb::Recover Reset() nRet = %d  ", rc);
    return rc;
}

int CZOQDeviceOnBusUsb::AfterFailedRead(int readResult, bool recover) {
    // The frame is lost either way. A recovery reports how it went; after a
    // reset the read's own error tells what happened to the frame.
    if (recover) return Recover() == RC_SUCCESS ? RC_RECOVERY_DONE : RC_RECOVERY_FAILED;
    Reset();
    return readResult;
}

int CZOQDeviceOnBusUsb::ReopenForRead() {
    if (IsClosed() && Recover() != RC_SUCCESS) return RC_RECOVERY_FAILED;
    return RC_SUCCESS;
}

int CZOQDeviceOnBusUsb::ReadRawData(unsigned char* data) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    {
        // The bus is this frame's from the trigger to the end of the read;
        // the corrections below need only the state lock.
        IoGuard io(m_ioLock);
        int rc = ReopenForRead();
        if (rc != RC_SUCCESS) return rc;
        DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
        int bytes = m_pCam->Cam_GetCaptureBytes();
        rc = m_pBus->Bus_CatchOneFrame(this, data, bytes, m_uCaptureTimeOut);
        if (rc != RC_SUCCESS) return AfterFailedRead(rc, rc == RC_FAIL || m_bCaptureRecover);
    }
    int width = 0;
    int height = 0;
    m_pCam->Cam_GetCaptureSize(&width, &height);
    bool is16Bits = false;
    int rc = m_pCam->Fpga_Get16BitsTransfer(&is16Bits);
    if (!is16Bits) RawData8_Process(data, width, height);
    return rc;
}

int CZOQDeviceOnBusUsb::SoftStart() {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::Bus_SoftStart);
}

int CZOQDeviceOnBusUsb::ReadAfterStart(unsigned char* data) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    int bytes = m_pCam->Cam_GetCaptureBytes();
    int rc = m_pBus->Bus_ReadAfterStart(this, data, bytes, m_uCaptureTimeOut);
    if (rc == RC_SUCCESS) return RC_SUCCESS;
    return AfterFailedRead(rc, m_bCaptureRecover);
}
