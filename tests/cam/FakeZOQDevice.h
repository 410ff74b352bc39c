/* A device object for the plug-in tests: FPGA and sensor register files,
 * the working-mode and trigger-delay words, a log of every service call and
 * failure injection per service (and optionally per address). */
#ifndef FAKEZOQDEVICE_H
#define FAKEZOQDEVICE_H

#include <map>
#include <vector>

#include "zoqcam.h"

class FakeZOQDevice : public IZOQDevice {
public:
    enum class Op {
        DeviceInfo,
        WrSensor,
        RdSensor,
        WrFpga,
        RdFpga,
        SetWorkingMode,
        GetWorkingMode,
        SetTriggerDelay,
        GetTriggerDelay,
        DownloadLUT,
        DownloadGammaLUT,
    };
    struct Call {
        Op op;
        unsigned int address;  // the bus address as passed (RdFpga: read address)
        unsigned int value;
        bool operator==(const Call& other) const {
            return op == other.op && address == other.address && value == other.value;
        }
    };
    static constexpr int kAnyAddress = -1;

    // Identity reported by VendorCmd_GetDeviceInformation.
    unsigned short deviceType = 52;
    int serial = 4711;
    unsigned short firmwareVersion = 0x0305;

    std::map<unsigned int, unsigned short> fpga;    // by register number
    std::map<unsigned int, unsigned short> sensor;  // by register address
    unsigned short workingMode = 0;
    unsigned short triggerDelay = 0;
    std::vector<Call> calls;

    // Make registers 128 and 241 report FPGA version major.minor the way the
    // hardware does (majors from 7 on through register 241).
    void SetFpgaVersion(unsigned major, unsigned minor);
    // Answer `rc` to the given service (for one address, or all), after
    // `skip` successful calls that match.
    void Fail(Op op, int rc, int address = kAnyAddress, int skip = 0);
    void ClearFailures() { m_Failures.clear(); }

    std::vector<Call> CallsOf(Op op) const;
    // Registers written (in order) through one write service.
    std::vector<unsigned int> Addresses(Op op) const;
    // The register that an FPGA read address stands for.
    static unsigned int RegisterOfReadAddress(unsigned int address);

    int VendorCmd_GetDeviceInformation(unsigned short* deviceType, int* serial,
                                       unsigned short* firmwareVersion) override;
    int WrSensor(unsigned int address, unsigned int value) override;
    int RdSensor(unsigned int address, unsigned int* value) override;
    int WrFpga(unsigned int address, unsigned int value) override;
    int RdFpga(unsigned int address, unsigned int* value) override;
    int SetWorkingMode(unsigned short mode) override;
    int GetWorkingMode(unsigned short* mode) override;
    int SetTriggerDelay(unsigned short delay) override;
    int GetTriggerDelay(unsigned short* delay) override;
    int DownloadLUT(unsigned short offset, unsigned char* data, int count) override;
    int DownloadGammaLUT(unsigned short offset, unsigned short* data, int count) override;

private:
    struct Failure {
        Op op;
        int address;
        int rc;
        int skip;
    };
    // Logs the call and answers the injected failure, if any (0 otherwise).
    int Enter(Op op, unsigned int address, unsigned int value);
    std::vector<Failure> m_Failures;
};

#endif
