// A device for plug-in benchmarks whose services all succeed at once, so
// that only the camera object's own work is measured.
#pragma once

#include "zoqcam.h"

class InstantDevice : public IZOQDevice {
public:
    // What a register read answers, by address.
    using Read = unsigned int (*)(unsigned int address);

    InstantDevice(unsigned short type, unsigned short firmware, Read sensor, Read fpga)
        : m_type(type), m_firmware(firmware), m_sensor(sensor), m_fpga(fpga) {}

    int VendorCmd_GetDeviceInformation(unsigned short* type, int* serial,
                                       unsigned short* firmware) override {
        *type = m_type;
        *serial = 1;
        *firmware = m_firmware;
        return 0;
    }
    int WrSensor(unsigned int, unsigned int) override { return 0; }
    int RdSensor(unsigned int address, unsigned int* value) override {
        *value = m_sensor(address);
        return 0;
    }
    int WrFpga(unsigned int, unsigned int) override { return 0; }
    int RdFpga(unsigned int address, unsigned int* value) override {
        *value = m_fpga(address);
        return 0;
    }
    int SetWorkingMode(unsigned short) override { return 0; }
    int GetWorkingMode(unsigned short* mode) override {
        *mode = 0;
        return 0;
    }
    int SetTriggerDelay(unsigned short) override { return 0; }
    int GetTriggerDelay(unsigned short*) override { return 0; }
    int DownloadLUT(unsigned short, unsigned char*, int) override { return 0; }
    int DownloadGammaLUT(unsigned short, unsigned short*, int) override { return 0; }

private:
    unsigned short m_type;
    unsigned short m_firmware;
    Read m_sensor;
    Read m_fpga;
};
