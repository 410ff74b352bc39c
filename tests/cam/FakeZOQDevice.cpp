#include "FakeZOQDevice.h"

void FakeZOQDevice::SetFpgaVersion(unsigned major, unsigned minor) {
    if (major < 7) {
        fpga[128] = static_cast<unsigned short>((major << 13) | (minor << 10));
    } else {
        fpga[128] = 0xE000;
        fpga[241] = static_cast<unsigned short>((major << 8) | minor);
    }
}

void FakeZOQDevice::Fail(Op op, int rc, int address, int skip) {
    m_Failures.push_back(Failure{op, address, rc, skip});
}

std::vector<FakeZOQDevice::Call> FakeZOQDevice::CallsOf(Op op) const {
    std::vector<Call> result;
    for (const Call& call : calls)
        if (call.op == op) result.push_back(call);
    return result;
}

std::vector<unsigned int> FakeZOQDevice::Addresses(Op op) const {
    std::vector<unsigned int> result;
    for (const Call& call : calls)
        if (call.op == op) result.push_back(call.address);
    return result;
}

unsigned int FakeZOQDevice::RegisterOfReadAddress(unsigned int address) {
    if (address == 0xFF) return 0;
    if (address >= 0x81 && address <= 0xEF) return address & 0x7F;
    return address;
}

int FakeZOQDevice::Enter(Op op, unsigned int address, unsigned int value) {
    calls.push_back(Call{op, address, value});
    for (Failure& failure : m_Failures) {
        if (failure.op != op) continue;
        if (failure.address != kAnyAddress && static_cast<unsigned int>(failure.address) != address)
            continue;
        if (failure.skip > 0) {
            --failure.skip;
            continue;
        }
        return failure.rc;
    }
    return 0;
}

int FakeZOQDevice::VendorCmd_GetDeviceInformation(unsigned short* type, int* number,
                                                  unsigned short* firmware) {
    int rc = Enter(Op::DeviceInfo, 0, 0);
    if (rc) return rc;
    *type = deviceType;
    *number = serial;
    *firmware = firmwareVersion;
    return 0;
}

int FakeZOQDevice::WrSensor(unsigned int address, unsigned int value) {
    int rc = Enter(Op::WrSensor, address, value);
    if (rc == 0) sensor[address] = static_cast<unsigned short>(value);
    return rc;
}

int FakeZOQDevice::RdSensor(unsigned int address, unsigned int* value) {
    int rc = Enter(Op::RdSensor, address, 0);
    if (rc == 0) *value = sensor.count(address) ? sensor[address] : 0;
    return rc;
}

int FakeZOQDevice::WrFpga(unsigned int address, unsigned int value) {
    int rc = Enter(Op::WrFpga, address, value);
    if (rc == 0) fpga[address] = static_cast<unsigned short>(value);
    return rc;
}

int FakeZOQDevice::RdFpga(unsigned int address, unsigned int* value) {
    int rc = Enter(Op::RdFpga, address, 0);
    unsigned int reg = RegisterOfReadAddress(address);
    if (rc == 0) *value = fpga.count(reg) ? fpga[reg] : 0;
    return rc;
}

int FakeZOQDevice::SetWorkingMode(unsigned short mode) {
    int rc = Enter(Op::SetWorkingMode, 0, mode);
    if (rc == 0) workingMode = mode;
    return rc;
}

int FakeZOQDevice::GetWorkingMode(unsigned short* mode) {
    int rc = Enter(Op::GetWorkingMode, 0, 0);
    if (rc == 0) *mode = workingMode;
    return rc;
}

int FakeZOQDevice::SetTriggerDelay(unsigned short delay) {
    int rc = Enter(Op::SetTriggerDelay, 0, delay);
    if (rc == 0) triggerDelay = delay;
    return rc;
}

int FakeZOQDevice::GetTriggerDelay(unsigned short* delay) {
    int rc = Enter(Op::GetTriggerDelay, 0, 0);
    if (rc == 0) *delay = triggerDelay;
    return rc;
}

int FakeZOQDevice::DownloadLUT(unsigned short offset, unsigned char*, int count) {
    return Enter(Op::DownloadLUT, offset, static_cast<unsigned int>(count));
}

int FakeZOQDevice::DownloadGammaLUT(unsigned short offset, unsigned short*, int count) {
    return Enter(Op::DownloadGammaLUT, offset, static_cast<unsigned int>(count));
}
