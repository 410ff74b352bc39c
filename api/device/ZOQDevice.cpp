// The device object: construction, the register services offered to the
// plug-in, device information and capture settings.
#include "device/ZOQDevice.h"

#include <cstdio>

#include "ZoqOut.h"
#include "platform/ZOQLogControl.h"
#include "platform/ZOQ_UTIL_linux.h"
#include "platform/winfunction_linux.h"
#include "usb/IZOQBus.h"

CZOQDevice::CZOQDevice(IZOQBus* bus) : m_pBus(bus) {
    // The device log starts when the camera is opened, so this line only
    // reaches a log that was handed over beforehand.
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::  %s line = %d ", "CZOQDeviceOnBusUsb", __LINE__);
    CreatePreviewBmpInfo(8, 0, 0);
    InitRawRoad();
    InitColourRoad();
}

CZOQDevice::~CZOQDevice() {
    ReleaseRawRoad();
    StopLogFile(&m_hLog);
}

int CZOQDevice::VendorCmd_GetDeviceInformation(unsigned short* deviceType, int* serial,
                                               unsigned short* firmwareVersion) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_GetDeviceInformation, deviceType,
                   serial, firmwareVersion);
}

int CZOQDevice::WrSensor(unsigned int address, unsigned int value) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    int rc = m_pBus->VendorCmd_WrSensor(this, address, value);
    ZOQLOG_OUTPUT(m_hLog, 10,
                  "ZOQAPI::WrSensor Address = %04d(0x%04x), Value = %05d(0x%04x), Return = %d",
                  address, address, value, value, rc);
    return rc;
}

int CZOQDevice::RdSensor(unsigned int address, unsigned int* value) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    if (value == nullptr) return RC_INVALID_HANDLE;
    int rc = m_pBus->VendorCmd_RdSensor(this, address, value);
    ZOQLOG_OUTPUT(m_hLog, 10,
                  "ZOQAPI::RdSensor Address = %04d(0x%04x), Value = %05d(0x%04x), Return = %d",
                  address, address, *value, *value, rc);
    return rc;
}

int CZOQDevice::WrFpga(unsigned int address, unsigned int value) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    int rc = m_pBus->VendorCmd_WrFpga(this, address, value);
    ZOQLOG_OUTPUT(m_hLog, 10,
                  "ZOQAPI::WrFpga Address = %04d(0x%04x), Value = %05d(0x%04x), Return = %d",
                  address, address, value, value, rc);
    return rc;
}

int CZOQDevice::RdFpga(unsigned int address, unsigned int* value) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    if (value == nullptr) return RC_INVALID_HANDLE;
    int rc = m_pBus->VendorCmd_RdFpga(this, address, value);
    ZOQLOG_OUTPUT(m_hLog, 10,
                  "ZOQAPI::RdFpga Address = %04d(0x%04x), Value = %05d(0x%04x), Return = %d",
                  address, address, *value, *value, rc);
    return rc;
}

int CZOQDevice::SetWorkingMode(unsigned short mode) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    int rc = m_pBus->VendorCmd_SetWorkingMode(this, mode);
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::SetWorkingMode WorkingMode = %05d(0x%04x), Return = %04d",
                  mode, mode, rc);
    return rc;
}

int CZOQDevice::GetWorkingMode(unsigned short* mode) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    if (mode == nullptr) return RC_INVALID_HANDLE;
    int rc = m_pBus->VendorCmd_GetWorkingMode(this, mode);
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::GetWorkingMode WorkingMode = %05d(0x%04x), Return = %d",
                  *mode, *mode, rc);
    return rc;
}

int CZOQDevice::VendorCmd_SetTriggerDelay(unsigned short delay) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    int rc = m_pBus->VendorCmd_SetTriggerDelay(this, delay);
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::SetTriggerDelay TriggerDelay = %05d(0x%04x), Return = %d",
                  delay, delay, rc);
    return rc;
}

int CZOQDevice::VendorCmd_GetTriggerDelay(unsigned short* delay) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    IoGuard io(m_ioLock);
    if (delay == nullptr) return RC_INVALID_HANDLE;
    int rc = m_pBus->VendorCmd_GetTriggerDelay(this, delay);
    ZOQLOG_OUTPUT(m_hLog, 10, "ZOQAPI::GetTriggerDelay TriggerDelay = %05d(0x%04x), Return = %d",
                  *delay, *delay, rc);
    return rc;
}

int CZOQDevice::DownloadLUT(unsigned short offset, unsigned char* data, int count) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_DownloadLUT, offset, data, count);
}

int CZOQDevice::DownloadGammaLUT(unsigned short offset, unsigned short* data, int count) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_DownloadGammaLUT, offset, data,
                   count);
}

int CZOQDevice::GetDeviceInformation(unsigned short* deviceType, int* serial,
                                     unsigned short* firmwareVersion) {
    return CamCall(RC_NOT_INITIALIZED, &IZOQCam::Cam_GetDeviceInformation, deviceType, serial,
                   firmwareVersion);
}

int CZOQDevice::GetDeviceInformationEx(unsigned short* deviceType, int* serial,
                                       unsigned short* firmwareVersion,
                                       unsigned short* fpgaVersion) {
    return CamCall(RC_NOT_INITIALIZED, &IZOQCam::Cam_GetDeviceInformationEx, deviceType, serial,
                   firmwareVersion, fpgaVersion);
}

int CZOQDevice::SetCaptureTimeOut(unsigned int ms) {
    m_uCaptureTimeOut = ms;
    return RC_SUCCESS;
}

int CZOQDevice::GetCaptureTimeOut(unsigned int* ms) {
    zoq::Put(ms, m_uCaptureTimeOut);
    return RC_SUCCESS;
}

int CZOQDevice::SetCaptureRecover(bool recover) {
    m_bCaptureRecover = recover;
    return RC_SUCCESS;
}

int CZOQDevice::GetCaptureRecover(bool* recover) {
    zoq::Put(recover, m_bCaptureRecover);
    return RC_SUCCESS;
}

int CZOQDevice::SetCaptureTimeOutEx(unsigned int ms, bool recover) {
    m_uCaptureTimeOut = ms;
    m_bCaptureRecover = recover;
    return RC_SUCCESS;
}

int CZOQDevice::GetCaptureTimeOutEx(unsigned int* ms, bool* recover) {
    GetCaptureTimeOut(ms);
    return GetCaptureRecover(recover);
}

int CZOQDevice::GetBitCount() const {
    int mode = m_BayerMode;
    if (m_nColorFlag == 0) return 8;
    if (mode < 0 || mode > 23) return 24;
    if (mode >= 16) return 8;
    return mode >= 8 ? 32 : 24;
}

int CZOQDevice::LogSet(bool enable, const char* folder) {
    if (!enable) {
        StopLogFile(&m_hLog);
        return RC_SUCCESS;
    }
    if (m_hLog != nullptr) return RC_SUCCESS;
    ZOQ_SYSTEMTIME now{};
    GetLocalTime(&now);
    char name[96];
    snprintf(name, sizeof name, "ZOQLOG_%d_%d_0x%04x_%02d%02d%02d%02d%02d%04d.log", m_uDeviceType,
             m_nSerial, m_uFirmwareVersion, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond, now.wMilliseconds);
    return StartLogFile(&m_hLog, folder, name);
}
