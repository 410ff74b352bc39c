#include "Access.h"

#include <libusb.h>

#include <cstdio>

#include "Console.h"
#include "usb/ZOQBusUsb_DeviceIds.h"

namespace zoqcam {

std::vector<std::string> InaccessibleCameras() {
    std::vector<std::string> found;
    libusb_context* context = nullptr;
    if (libusb_init(&context) != LIBUSB_SUCCESS) return found;
    libusb_device** list = nullptr;
    ssize_t count = libusb_get_device_list(context, &list);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS ||
            !IsCameraId(descriptor.idVendor, descriptor.idProduct))
            continue;
        libusb_device_handle* handle = nullptr;
        int rc = libusb_open(list[i], &handle);
        if (rc == LIBUSB_SUCCESS) libusb_close(handle);
        if (rc != LIBUSB_ERROR_ACCESS) continue;
        char text[64];
        snprintf(text, sizeof text, "/dev/bus/usb/%03u/%03u (%04x:%04x)",
                 libusb_get_bus_number(list[i]), libusb_get_device_address(list[i]),
                 descriptor.idVendor, descriptor.idProduct);
        found.push_back(text);
    }
    if (count >= 0) libusb_free_device_list(list, 1);
    libusb_exit(context);
    return found;
}

void ReportInaccessibleCameras() {
    const std::vector<std::string> cameras = InaccessibleCameras();
    for (const std::string& camera : cameras) Error("camera %s: permission denied", camera.c_str());
    if (!cameras.empty())
        Error(
            "install the udev rules 60-zoq-cameras.rules (the SDK's runtime package does), "
            "then plug the camera in again; see 'USB permissions' in zoqcam(1)");
}

}  // namespace zoqcam
