// libusb_get_device_descriptor for test programs that need it to fail: it
// forwards to libusb's own and returns LIBUSB_ERROR_IO for the devices a test
// marked with SimDevice::failDeviceDescriptor. Linked as an object library
// and exported from the executable, so that it also takes the place of
// libusb's for the SDK's shared libraries.
#include "usb/DescriptorFaults.h"

#include <dlfcn.h>
#include <libusb.h>

namespace {

using GetDeviceDescriptor = int (*)(libusb_device*, libusb_device_descriptor*);

GetDeviceDescriptor realGetDeviceDescriptor() {
    static const auto real =
        reinterpret_cast<GetDeviceDescriptor>(dlsym(RTLD_NEXT, "libusb_get_device_descriptor"));
    return real;
}

[[maybe_unused]] const bool g_announced = (zoqsim::detail::noteDescriptorInterposerLinked(), true);

}  // namespace

extern "C" __attribute__((visibility("default"))) int libusb_get_device_descriptor(
    libusb_device* dev, libusb_device_descriptor* desc) {
    if (zoqsim::detail::deviceDescriptorFails(libusb_get_bus_number(dev),
                                              libusb_get_device_address(dev)))
        return LIBUSB_ERROR_IO;
    const GetDeviceDescriptor real = realGetDeviceDescriptor();
    return real != nullptr ? real(dev, desc) : LIBUSB_ERROR_OTHER;
}
