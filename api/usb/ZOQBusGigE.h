// The second bus kind. It finds no device and does no work; the manager
// keeps its slot empty.
#pragma once

#include "device/ZOQDevice.h"
#include "usb/IZOQBus.h"

class CZOQBusGigE : public IZOQBus {
public:
    explicit CZOQBusGigE(CBusManager* manager) : IZOQBus(manager) {}

    int GetDeviceNumOnBus() override { return 0; }
    int AddAllDevice() override;
    int Bus_CatchOneFrame(CZOQDevice*, unsigned char*, int, unsigned int) override { return 0; }
    int Bus_SoftStart(CZOQDevice*) override { return RC_NOT_SUPPORTED; }
    int Bus_ReadAfterStart(CZOQDevice*, unsigned char*, int, unsigned int) override {
        return RC_NOT_SUPPORTED;
    }
    int Bus_CatchStart(CZOQDevice*) override { return 0; }
    int Bus_CatchRead(CZOQDevice*, unsigned char*, int, unsigned int) override { return 0; }
    int VendorCmd_GetDeviceInformation(CZOQDevice*, unsigned short*, int*,
                                       unsigned short*) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_WrSensor(CZOQDevice*, unsigned int, unsigned int) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_RdSensor(CZOQDevice*, unsigned int, unsigned int*) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_WrFpga(CZOQDevice*, unsigned int, unsigned int) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_RdFpga(CZOQDevice*, unsigned int, unsigned int*) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_SetWorkingMode(CZOQDevice*, unsigned short) override { return RC_NOT_SUPPORTED; }
    int VendorCmd_GetWorkingMode(CZOQDevice*, unsigned short*) override { return RC_NOT_SUPPORTED; }
    int VendorCmd_SetTriggerDelay(CZOQDevice*, unsigned short) override { return RC_NOT_SUPPORTED; }
    int VendorCmd_GetTriggerDelay(CZOQDevice*, unsigned short*) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_DownloadLUT(CZOQDevice*, unsigned short, unsigned char*, int) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_DownloadGammaLUT(CZOQDevice*, unsigned short, unsigned short*, int) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_WrEEPROM(CZOQDevice*, unsigned short, unsigned char) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_RdEEPROM(CZOQDevice*, unsigned short, unsigned char*) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_WrEEPROMEx(CZOQDevice*, unsigned int, unsigned char) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_RdEEPROMEx(CZOQDevice*, unsigned int, unsigned char*) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_WrEEPROMExEx(CZOQDevice*, unsigned int, unsigned char*, int) override {
        return RC_NOT_SUPPORTED;
    }
    int VendorCmd_RdEEPROMExEx(CZOQDevice*, unsigned int, int, unsigned char*) override {
        return RC_NOT_SUPPORTED;
    }
};

class CZOQDeviceOnBusGigE : public CZOQDevice {
public:
    explicit CZOQDeviceOnBusGigE(CZOQBusGigE* bus) : CZOQDevice(bus) {}

    int VendorCmd(_tagUSBCmd*, unsigned char*) override { return RC_NOT_SUPPORTED; }
    int Open() override { return 0; }
    int OpenLostDevice() override { return 0; }
    int Close() override { return 0; }
    int Reset() override { return 0; }
    int ReadRawData(unsigned char*) override { return 0; }
    int SoftStart() override { return 0; }
    int ReadAfterStart(unsigned char*) override { return 0; }

private:
    long m_hDevice = -1;
};
