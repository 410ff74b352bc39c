#include "usb/ZOQBusUsb.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "platform/ZOQLogControl.h"
#include "platform/winfunction_linux.h"
#include "usb/ZOQDeviceOnBusUsb.h"

CZOQBusUsb::CZOQBusUsb(CBusManager* manager) : IZOQBus(manager) {
    std::fill(std::begin(m_nOpenedAddress), std::end(m_nOpenedAddress), -1);
    int rc = libusb_init(&m_pContext);
    ZOQLOG_OUTPUT(g_hLog, 10, "ZOQAPI:: __FUNCTION__ = %s line = %d func = %s  nRet = %d",
                  "CZOQBusUsb", __LINE__, "CZOQBusUsb", rc);
    // Machines without a USB subsystem are common; the bus then stays empty
    // and nothing touches the missing context.
    if (rc != LIBUSB_SUCCESS) m_pContext = nullptr;
    AddAllDevice();
    OpenAllDevice();
}

CZOQBusUsb::~CZOQBusUsb() {
    CloseAllDevice();
    DelAllDevice();
    if (m_pContext != nullptr) libusb_exit(m_pContext);
}

int CZOQBusUsb::AddAllDevice() {
    if (m_pContext == nullptr) return m_nDeviceCount;
    UsbDeviceList list(m_pContext);
    if (!list.ok()) return m_nDeviceCount;
    for (ssize_t i = 0; i < list.size() && m_nDeviceCount < kMaxDevices; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS) break;
        if (IsCameraId(descriptor.idVendor, descriptor.idProduct))
            AddDevice(new CZOQDeviceOnBusUsb(this));
    }
    return m_nDeviceCount;
}

ssize_t CZOQBusUsb::NextFreeCamera(const UsbDeviceList& list, ssize_t from) const {
    for (ssize_t i = from; i < list.size(); ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS) return -1;
        if (!IsCameraId(descriptor.idVendor, descriptor.idProduct)) continue;
        if (!IsAddressOpened(libusb_get_device_address(list[i]))) return i;
    }
    return list.size();
}

bool CZOQBusUsb::IsAddressOpened(int address) const {
    return std::find(std::begin(m_nOpenedAddress), std::end(m_nOpenedAddress), address) !=
           std::end(m_nOpenedAddress);
}

int CZOQBusUsb::FirstFreeAddressEntry() const {
    for (int i = 0; i < kOpenedAddressSlots; ++i)
        if (m_nOpenedAddress[i] == -1) return i;
    return -1;
}

void CZOQBusUsb::ReleaseAddress(int address) {
    if (address == -1) return;
    for (int& entry : m_nOpenedAddress)
        if (entry == address) entry = -1;
}

int get_device_bulk_endpoint_address(libusb_device* device, int) {
    // Remembered between calls: a device without any endpoint reports the
    // endpoint found last time.
    static int bulkaddress = 0;
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(device, &descriptor) != LIBUSB_SUCCESS) {
        fprintf(stderr, "failed to get device descriptor\n");
        return -1;
    }
    libusb_device_handle* handle = nullptr;
    libusb_open(device, &handle);
    int result = bulkaddress;
    for (int c = 0; c < descriptor.bNumConfigurations; ++c) {
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_config_descriptor(device, static_cast<uint8_t>(c), &config) !=
            LIBUSB_SUCCESS) {
            printf("  Couldn't retrieve descriptors\n");
            continue;
        }
        int candidate = -1;
        for (int i = 0; i < config->bNumInterfaces; ++i) {
            const libusb_interface& interface = config->interface[i];
            for (int a = 0; a < interface.num_altsetting; ++a) {
                const libusb_interface_descriptor& alt = interface.altsetting[a];
                if (alt.bNumEndpoints > 0)
                    candidate = alt.endpoint[alt.bNumEndpoints - 1].bEndpointAddress;
            }
        }
        if (candidate != -1) result = bulkaddress = candidate;
        libusb_free_config_descriptor(config);
    }
    if (handle != nullptr) libusb_close(handle);
    return result;
}
