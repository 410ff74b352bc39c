// IZOQBus: a bus of cameras. It owns up to 64 device objects, filled in
// enumeration order and never compacted, and carries their vendor requests
// and frame reads.
#pragma once

#include <cstdint>

#include "zoqapi.h"

class CBusManager;
class CZOQDevice;

class IZOQBus {
public:
    static constexpr int kMaxDevices = 64;

    explicit IZOQBus(CBusManager* manager) : m_pManager(manager) {}
    virtual ~IZOQBus();
    IZOQBus(const IZOQBus&) = delete;
    IZOQBus& operator=(const IZOQBus&) = delete;

    virtual int GetDeviceNumOnBus() = 0;
    virtual int AddAllDevice() = 0;
    virtual int Bus_CatchOneFrame(CZOQDevice* device, unsigned char* data, int length,
                                  unsigned int timeout) = 0;
    virtual int Bus_SoftStart(CZOQDevice* device) = 0;
    virtual int Bus_ReadAfterStart(CZOQDevice* device, unsigned char* data, int length,
                                   unsigned int timeout) = 0;
    // Bus_CatchOneFrame in its two steps, each with the reports of its
    // failure: the trigger, then the read of the frame triggered. A stream
    // hands on the frame before between the two.
    virtual int Bus_CatchStart(CZOQDevice* device) = 0;
    virtual int Bus_CatchRead(CZOQDevice* device, unsigned char* data, int length,
                              unsigned int timeout) = 0;
    virtual int VendorCmd_GetDeviceInformation(CZOQDevice* device, unsigned short* type,
                                               int* serial, unsigned short* firmware) = 0;
    virtual int VendorCmd_WrSensor(CZOQDevice* device, unsigned int addr, unsigned int value) = 0;
    virtual int VendorCmd_RdSensor(CZOQDevice* device, unsigned int addr, unsigned int* value) = 0;
    virtual int VendorCmd_WrFpga(CZOQDevice* device, unsigned int addr, unsigned int value) = 0;
    virtual int VendorCmd_RdFpga(CZOQDevice* device, unsigned int addr, unsigned int* value) = 0;
    virtual int VendorCmd_SetWorkingMode(CZOQDevice* device, unsigned short mode) = 0;
    virtual int VendorCmd_GetWorkingMode(CZOQDevice* device, unsigned short* mode) = 0;
    virtual int VendorCmd_SetTriggerDelay(CZOQDevice* device, unsigned short delay) = 0;
    virtual int VendorCmd_GetTriggerDelay(CZOQDevice* device, unsigned short* delay) = 0;
    virtual int VendorCmd_DownloadLUT(CZOQDevice* device, unsigned short offset,
                                      unsigned char* data, int count) = 0;
    virtual int VendorCmd_DownloadGammaLUT(CZOQDevice* device, unsigned short offset,
                                           unsigned short* entries, int count) = 0;
    virtual int VendorCmd_WrEEPROM(CZOQDevice* device, unsigned short addr,
                                   unsigned char value) = 0;
    virtual int VendorCmd_RdEEPROM(CZOQDevice* device, unsigned short addr,
                                   unsigned char* value) = 0;
    virtual int VendorCmd_WrEEPROMEx(CZOQDevice* device, unsigned int addr,
                                     unsigned char value) = 0;
    virtual int VendorCmd_RdEEPROMEx(CZOQDevice* device, unsigned int addr,
                                     unsigned char* value) = 0;
    virtual int VendorCmd_WrEEPROMExEx(CZOQDevice* device, unsigned int addr, unsigned char* buffer,
                                       int count) = 0;
    virtual int VendorCmd_RdEEPROMExEx(CZOQDevice* device, unsigned int addr, int count,
                                       unsigned char* buffer) = 0;

    void OpenAllDevice();
    void CloseAllDevice();
    void DelAllDevice();
    // Device of slot index, or null for an empty slot or an index past 63.
    CZOQDevice* GetDevice(int index) const;
    int LogSet(bool enable, const char* folder);

    // Runs op on the device of a bus-local index; emptySlotCode is what an
    // empty slot (or an index outside the table) answers.
    template <typename Op>
    int WithDevice(int index, int emptySlotCode, Op&& op) const {
        CZOQDevice* device = GetDevice(index);
        if (device == nullptr) return emptySlotCode;
        return op(*device);
    }

protected:
    // Puts a new device object into the next slot; false when all 64 are
    // taken (the object is then destroyed).
    bool AddDevice(CZOQDevice* device);

    CBusManager* m_pManager;
    CZOQDevice* m_pDevices[kMaxDevices] = {};
    int m_nDeviceCount = 0;
};
