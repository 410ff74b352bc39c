#include "SimUsbTest.h"

#include <algorithm>
#include <cstring>

namespace simusb {

int ScriptedFunction::control(const zoqsim::UsbSetup& setup, uint8_t* data) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_requests.push_back(setup);
    switch (setup.bRequest) {
    case kReadBack: {
        const std::size_t n = std::min<std::size_t>(m_written.size(), setup.wLength);
        std::copy_n(m_written.begin(), n, data);
        return static_cast<int>(n);
    }
    case kWrite:
        m_written.assign(data, data + setup.wLength);
        return setup.wLength;
    case kTrigger:
        if (m_staged.empty())
            return -1;
        m_frames.push_back(std::move(m_staged.front()));
        m_staged.pop_front();
        data[0] = 0;
        return 1;
    case kShortReply: {
        const std::size_t n = std::min<std::size_t>(setup.wValue, setup.wLength);
        for (std::size_t i = 0; i < n; ++i)
            data[i] = static_cast<uint8_t>(i);
        return static_cast<int>(n);
    }
    default:
        return -1;
    }
}

long ScriptedFunction::bulkIn(uint8_t* dst, std::size_t len) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_frames.empty())
        return kBulkNotReady;
    const std::vector<uint8_t>& frame = m_frames.front();
    const std::size_t n = std::min(len, frame.size() - m_readPos);
    if (n != 0)
        std::memcpy(dst, frame.data() + m_readPos, n);
    m_readPos += n;
    if (m_readPos == frame.size() || n < len) {
        m_frames.pop_front();
        m_readPos = 0;
    }
    return static_cast<long>(n);
}

bool ScriptedFunction::bulkReady() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return !m_frames.empty();
}

void ScriptedFunction::powerOn() {
    std::lock_guard<std::mutex> guard(m_mutex);
    ++m_powerOns;
    m_frames.clear();
    m_staged.clear();
    m_readPos = 0;
}

void ScriptedFunction::queueFrame(std::vector<uint8_t> frame) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_frames.push_back(std::move(frame));
}

void ScriptedFunction::stageFrame(std::vector<uint8_t> frame) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_staged.push_back(std::move(frame));
}

std::vector<zoqsim::UsbSetup> ScriptedFunction::requests() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_requests;
}

int ScriptedFunction::powerOns() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_powerOns;
}

std::vector<uint8_t> pattern(std::size_t n, uint8_t seed) {
    std::vector<uint8_t> out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<uint8_t>(i * 7 + i / 251 + seed);
    return out;
}

SimUsbTest::~SimUsbTest() {
    for (libusb_device_handle* h : m_handles)
        libusb_close(h);
    if (m_ctx != nullptr)
        libusb_exit(m_ctx);
}

zoqsim::SimDevice& SimUsbTest::attachScripted(uint16_t idVendor, uint16_t idProduct) {
    return bed.attachDevice(std::make_unique<ScriptedFunction>(), idVendor, idProduct);
}

ScriptedFunction& SimUsbTest::scripted(zoqsim::SimDevice& device) {
    return dynamic_cast<ScriptedFunction&>(device.function());
}

libusb_context* SimUsbTest::usb() {
    if (m_ctx == nullptr && libusb_init(&m_ctx) != 0)
        ADD_FAILURE() << "libusb_init failed";
    return m_ctx;
}

std::vector<Listed> SimUsbTest::list() {
    libusb_device** devices = nullptr;
    const ssize_t n = libusb_get_device_list(usb(), &devices);
    std::vector<Listed> out;
    for (ssize_t i = 0; i < n; ++i) {
        libusb_device_descriptor desc{};
        libusb_get_device_descriptor(devices[i], &desc);
        out.push_back({libusb_get_bus_number(devices[i]), libusb_get_device_address(devices[i]),
                       desc.idVendor, desc.idProduct});
    }
    libusb_free_device_list(devices, 1);
    return out;
}

libusb_device_handle* SimUsbTest::open(const zoqsim::SimDevice& device) {
    const zoqsim::UsbAddress at = device.address();
    libusb_device** devices = nullptr;
    const ssize_t n = libusb_get_device_list(usb(), &devices);
    libusb_device_handle* handle = nullptr;
    for (ssize_t i = 0; i < n && handle == nullptr; ++i) {
        if (libusb_get_bus_number(devices[i]) == at.bus && libusb_get_device_address(devices[i]) == at.address) {
            EXPECT_EQ(libusb_open(devices[i], &handle), 0);
        }
    }
    libusb_free_device_list(devices, 1);
    if (handle != nullptr)
        m_handles.push_back(handle);
    else
        ADD_FAILURE() << "device " << int(at.bus) << ":" << int(at.address) << " not listed";
    return handle;
}

libusb_device_handle* SimUsbTest::openClaimed(const zoqsim::SimDevice& device) {
    libusb_device_handle* h = open(device);
    if (h != nullptr) {
        EXPECT_EQ(libusb_claim_interface(h, 0), 0);
    }
    return h;
}

void SimUsbTest::close(libusb_device_handle* handle) {
    m_handles.erase(std::remove(m_handles.begin(), m_handles.end(), handle), m_handles.end());
    libusb_close(handle);
}

void OpenedDeviceTest::SetUp() {
    cam = &attachScripted();
    h = openClaimed(*cam);
    ASSERT_NE(h, nullptr);
}

int vendorIn(libusb_device_handle* h, uint8_t request, std::vector<uint8_t>& reply, uint16_t value,
             uint16_t index, unsigned timeoutMs) {
    return libusb_control_transfer(h, 0xC0, request, value, index, reply.data(),
                                   static_cast<uint16_t>(reply.size()), timeoutMs);
}

int vendorOut(libusb_device_handle* h, uint8_t request, const std::vector<uint8_t>& data, uint16_t value,
              uint16_t index, unsigned timeoutMs) {
    std::vector<uint8_t> copy = data;
    return libusb_control_transfer(h, 0x40, request, value, index, copy.data(),
                                   static_cast<uint16_t>(copy.size()), timeoutMs);
}

int readFrame(libusb_device_handle* h, std::vector<uint8_t>& buffer, int& transferred, unsigned timeoutMs) {
    transferred = -1;
    return libusb_bulk_transfer(h, 0x86, buffer.data(), static_cast<int>(buffer.size()), &transferred,
                                timeoutMs);
}

}  // namespace simusb
