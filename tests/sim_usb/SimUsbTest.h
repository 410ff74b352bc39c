// Shared pieces of the front-end tests: a small scripted device function and
// a fixture that owns a testbed and a libusb context (the real libusb).
#pragma once

#include <zoqsim.h>

#include <gtest/gtest.h>
#include <libusb.h>

#include <chrono>
#include <deque>
#include <mutex>
#include <vector>

namespace simusb {

// Vendor requests of the scripted function.
enum : uint8_t {
    kReadBack = 0x01,    // IN: the bytes of the last kWrite, at most wLength
    kWrite = 0x02,       // OUT: keeps the data stage
    kTrigger = 0x03,     // IN, 1 byte: the staged frame becomes ready
    kShortReply = 0x04,  // IN: answers wValue bytes 0, 1, 2, ...
};

// Frames are served in order; a bulk read takes what is left of the front
// frame (a short packet ends the transfer at the frame's end).
class ScriptedFunction : public zoqsim::UsbFunction {
public:
    int control(const zoqsim::UsbSetup& setup, uint8_t* data) override;
    long bulkIn(uint8_t* dst, std::size_t len) override;
    bool bulkReady() const override;
    void powerOn() override;

    void queueFrame(std::vector<uint8_t> frame);   // ready at once
    void stageFrame(std::vector<uint8_t> frame);   // ready after kTrigger
    std::vector<zoqsim::UsbSetup> requests() const;
    int powerOns() const;

private:
    mutable std::mutex m_mutex;
    std::vector<uint8_t> m_written;
    std::deque<std::vector<uint8_t>> m_frames;
    std::deque<std::vector<uint8_t>> m_staged;
    std::size_t m_readPos = 0;
    std::vector<zoqsim::UsbSetup> m_requests;
    int m_powerOns = 0;
};

// Bytes 0..n-1 of a recognisable pattern.
std::vector<uint8_t> pattern(std::size_t n, uint8_t seed = 0);

struct Listed {
    uint8_t bus;
    uint8_t address;
    uint16_t idVendor;
    uint16_t idProduct;
};

class SimUsbTest : public ::testing::Test {
protected:
    ~SimUsbTest() override;

    // Attaches a camera-layout device with a scripted function.
    zoqsim::SimDevice& attachScripted(uint16_t idVendor = 0x0816, uint16_t idProduct = 0x0511);
    ScriptedFunction& scripted(zoqsim::SimDevice& device);

    libusb_context* usb();                       // created on first use
    std::vector<Listed> list();                  // libusb's device list, in order
    libusb_device_handle* open(const zoqsim::SimDevice& device);  // closed by the fixture
    libusb_device_handle* openClaimed(const zoqsim::SimDevice& device);
    void close(libusb_device_handle* handle);

    zoqsim::Testbed bed;

private:
    libusb_context* m_ctx = nullptr;
    std::vector<libusb_device_handle*> m_handles;
};

// A camera-layout device with a scripted function, opened, interface 0 claimed.
class OpenedDeviceTest : public SimUsbTest {
protected:
    void SetUp() override;
    ScriptedFunction& function() { return scripted(*cam); }

    zoqsim::SimDevice* cam = nullptr;
    libusb_device_handle* h = nullptr;
};

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Sends a vendor request; returns libusb's result.
int vendorIn(libusb_device_handle* h, uint8_t request, std::vector<uint8_t>& reply, uint16_t value = 0,
             uint16_t index = 0, unsigned timeoutMs = 1000);
int vendorOut(libusb_device_handle* h, uint8_t request, const std::vector<uint8_t>& data, uint16_t value = 0,
              uint16_t index = 0, unsigned timeoutMs = 1000);
// One bulk read on the frame endpoint; `transferred` gets libusb's count.
int readFrame(libusb_device_handle* h, std::vector<uint8_t>& buffer, int& transferred, unsigned timeoutMs);

}  // namespace simusb
