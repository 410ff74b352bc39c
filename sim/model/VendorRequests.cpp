// Endpoint 0: every vendor request the camera firmware answers, with its
// direction, reply layout and status byte.
#include <algorithm>
#include <chrono>
#include <iterator>

#include "CameraImpl.h"

namespace zoqsim {
namespace {

constexpr uint8_t kAccepted = 0;
constexpr uint8_t kRefused = 1;
constexpr int kStall = -1;
constexpr uint16_t kMaxLutBytes = 64;  // per request, both tables

// FPGA register behind a read address: 0xFF reads register 0, 0x81-0xEF
// registers 1-111, 0x70-0x80 and 0xF0-0xFE the register of that number.
int registerAtReadAddress(uint16_t address) {
    if (address == 0xFF) return 0;
    if (address >= 0x81 && address <= 0xEF) return address & 0x7F;
    if (address >= 0x70 && address <= 0xFE) return address;
    return -1;
}

// [status, high, low]: register values travel high byte first.
int registerReply(uint8_t* reply, uint8_t status, uint16_t value) {
    reply[0] = status;
    reply[1] = uint8_t(value >> 8);
    reply[2] = uint8_t(value);
    return 3;
}

// [status, low, high]: working mode and trigger delay travel low byte first.
int wordReply(uint8_t* reply, uint16_t value) {
    reply[0] = kAccepted;
    reply[1] = uint8_t(value);
    reply[2] = uint8_t(value >> 8);
    return 3;
}

int statusReply(uint8_t* reply, uint8_t status) {
    reply[0] = status;
    return 1;
}

}  // namespace

const CameraImpl::Request* CameraImpl::findRequest(uint8_t bRequest) {
    static constexpr Request kRequests[] = {
        {0x2A, true, 3, true, &CameraImpl::rdFpga},
        {0x2B, true, 3, true, &CameraImpl::wrFpga},
        {0xC2, true, 3, true, &CameraImpl::rdSensor},
        {0xC3, true, 3, true, &CameraImpl::wrSensor},
        {0xC4, true, 2, true, &CameraImpl::rdEeprom},
        {0xC5, true, 1, true, &CameraImpl::wrEeprom},
        {0xC8, true, 1, true, &CameraImpl::triggerFrame},
        {0xC9, true, 5, true, &CameraImpl::deviceInformation},
        {0xCE, true, 1, true, &CameraImpl::setWorkingMode},
        {0xCF, true, 3, true, &CameraImpl::getWorkingMode},
        {0xD2, true, 2, true, &CameraImpl::rdEepromEx},
        {0xD3, false, 0, false, &CameraImpl::wrEepromEx},
        {0xD4, true, 0, false, &CameraImpl::rdEepromBlock},
        {0xD5, false, 0, false, &CameraImpl::wrEepromBlock},
        {0xD6, true, 1, true, &CameraImpl::setTriggerDelay},
        {0xD8, true, 3, true, &CameraImpl::getTriggerDelay},
        {0xDB, true, 1, true, &CameraImpl::resetDevice},
        {0xDD, false, 0, false, &CameraImpl::downloadLut},
        {0xE2, true, 1, true, &CameraImpl::sendPacketEnd},
        {0xE9, false, 0, false, &CameraImpl::downloadGammaLut},
    };
    const auto it = std::find_if(std::begin(kRequests), std::end(kRequests),
                                 [&](const Request& r) { return r.bRequest == bRequest; });
    return it == std::end(kRequests) ? nullptr : it;
}

int CameraImpl::control(const UsbSetup& setup, uint8_t* data) {
    std::lock_guard<std::mutex> lock(mutex_);
    const Request* request = findRequest(setup.bRequest);
    const bool in = (setup.bmRequestType & 0x80) != 0;
    if (request == nullptr || request->in != in) return kStall;

    // Fixed replies are built in a local buffer, since the host may ask for
    // fewer bytes than the layout has.
    uint8_t local[8] = {};
    uint8_t* reply = (in && request->replyLength != 0) ? local : data;

    if (faults_.takeRefusal(setup.bRequest)) {
        if (!request->statusByte) return kStall;
        local[0] = kRefused;
    } else {
        const int n = (this->*request->handler)(setup, reply);
        if (n < 0) return kStall;
        if (!in) return setup.wLength;
    }
    std::size_t count =
        std::min<std::size_t>(request->replyLength ? request->replyLength : setup.wLength, setup.wLength);
    if (faults_.takeShortReply(setup.bRequest)) count = std::min<std::size_t>(count, 1);
    if (reply == local) std::copy_n(local, count, data);
    return int(count);
}

// ---- Registers ----

int CameraImpl::rdFpga(const UsbSetup& s, uint8_t* reply) {
    const int reg = registerAtReadAddress(s.wValue);
    if (reg < 0) return registerReply(reply, kRefused, 0);
    return registerReply(reply, kAccepted, readFpga(unsigned(reg)));
}

int CameraImpl::wrFpga(const UsbSetup& s, uint8_t* reply) {
    if (s.wValue >= kFpgaRegisterCount) return registerReply(reply, kRefused, 0);
    writeFpga(s.wValue, s.wIndex);
    return registerReply(reply, kAccepted, readFpga(s.wValue));
}

int CameraImpl::rdSensor(const UsbSetup& s, uint8_t* reply) {
    return registerReply(reply, kAccepted, sensor_[s.wValue]);
}

int CameraImpl::wrSensor(const UsbSetup& s, uint8_t* reply) {
    writeSensor(s.wValue, s.wIndex);
    return registerReply(reply, kAccepted, sensor_[s.wValue]);
}

// Register 0, the control word, is also the working mode.
int CameraImpl::setWorkingMode(const UsbSetup& s, uint8_t* reply) {
    writeFpga(0, s.wValue);
    return statusReply(reply, kAccepted);
}

int CameraImpl::getWorkingMode(const UsbSetup&, uint8_t* reply) { return wordReply(reply, fpga_[0]); }

// Register 3 is the trigger delay.
int CameraImpl::setTriggerDelay(const UsbSetup& s, uint8_t* reply) {
    writeFpga(3, s.wValue);
    return statusReply(reply, kAccepted);
}

int CameraImpl::getTriggerDelay(const UsbSetup&, uint8_t* reply) { return wordReply(reply, fpga_[3]); }

// ---- EEPROM ----

int CameraImpl::rdEeprom(const UsbSetup& s, uint8_t* reply) {
    const bool ok = eepromRange(s.wValue, 1);
    reply[0] = ok ? kAccepted : kRefused;
    reply[1] = ok ? eeprom_[s.wValue] : 0;
    return 2;
}

int CameraImpl::wrEeprom(const UsbSetup& s, uint8_t* reply) {
    if (!eepromRange(s.wValue, 1)) return statusReply(reply, kRefused);
    eeprom_[s.wValue] = uint8_t(s.wIndex);
    return statusReply(reply, kAccepted);
}

// 24-bit addresses split over wValue (bits 16 and up) and wIndex.
int CameraImpl::rdEepromEx(const UsbSetup& s, uint8_t* reply) {
    const uint32_t address = uint32_t(s.wValue) << 16 | s.wIndex;
    const bool ok = eepromRange(address, 1);
    reply[0] = ok ? kAccepted : kRefused;
    reply[1] = ok ? eeprom_[address] : 0;
    return 2;
}

// The address travels in the data stage, most significant byte first; the
// byte in wIndex.
int CameraImpl::wrEepromEx(const UsbSetup& s, uint8_t* data) {
    if (s.wLength < 4) return kStall;
    const uint32_t address =
        uint32_t(data[0]) << 24 | uint32_t(data[1]) << 16 | uint32_t(data[2]) << 8 | data[3];
    if (!eepromRange(address, 1)) return kStall;
    eeprom_[address] = uint8_t(s.wIndex);
    return 0;
}

int CameraImpl::rdEepromBlock(const UsbSetup& s, uint8_t* reply) {
    const uint32_t address = uint32_t(s.wValue) << 16 | s.wIndex;
    if (!eepromRange(address, s.wLength)) return kStall;
    std::copy_n(eeprom_.data() + address, s.wLength, reply);
    return s.wLength;
}

int CameraImpl::wrEepromBlock(const UsbSetup& s, uint8_t* data) {
    const uint32_t address = uint32_t(s.wValue) << 16 | s.wIndex;
    if (!eepromRange(address, s.wLength)) return kStall;
    std::copy_n(data, s.wLength, eeprom_.data() + address);
    return 0;
}

// ---- Look-up tables ----

int CameraImpl::downloadLut(const UsbSetup& s, uint8_t* data) {
    if (s.wLength > kMaxLutBytes || s.wValue + s.wLength > kLutEntries) return kStall;
    std::copy_n(data, s.wLength, lut_.data() + s.wValue);
    ++lutGeneration_;
    return 0;
}

// 16-bit entries, low byte first, from entry wValue on.
int CameraImpl::downloadGammaLut(const UsbSetup& s, uint8_t* data) {
    const unsigned entries = s.wLength / 2u;
    if (s.wLength > kMaxLutBytes || (s.wLength & 1) || s.wValue + entries > kLutEntries) return kStall;
    for (unsigned i = 0; i < entries; ++i)
        gammaLut_[s.wValue + i] = uint16_t(data[2 * i] | data[2 * i + 1] << 8);
    return 0;
}

// ---- Device ----

int CameraImpl::deviceInformation(const UsbSetup&, uint8_t* reply) {
    const uint16_t firmware = uint16_t(config_.firmwareVersion);
    reply[0] = kAccepted;
    reply[1] = uint8_t(model_.deviceType);
    reply[2] = config_.serial;
    reply[3] = uint8_t(firmware);
    reply[4] = uint8_t(firmware >> 8);
    return 5;
}

// One trigger, one frame; refused while the frame buffer is full or when
// the frame the registers describe does not fit in it.
int CameraImpl::triggerFrame(const UsbSetup&, uint8_t* reply) {
    const RenderKey key = currentKey();
    if (queue_.full() || (chip_.frameFollowsRegisters && key.geometry.bytes() > kMaxFrameBytes))
        return statusReply(reply, kRefused);
    if (faults_.takeLostFrame()) {
        ++triggered_;
    } else {
        // A frame is read out no sooner than one frame period after the last.
        const auto now = std::chrono::steady_clock::now();
        const auto earliest = lastReadyAt_ + framePeriod_;
        lastReadyAt_ = framePeriod_.count() > 0 && earliest > now ? earliest : now;
        queue_.push(key, triggered_++, lastReadyAt_);
    }
    return statusReply(reply, kAccepted);
}

// Drops the frames waiting; registers keep their values.
int CameraImpl::resetDevice(const UsbSetup&, uint8_t* reply) {
    queue_.clear();
    return statusReply(reply, kAccepted);
}

int CameraImpl::sendPacketEnd(const UsbSetup&, uint8_t* reply) { return statusReply(reply, kAccepted); }

}  // namespace zoqsim
