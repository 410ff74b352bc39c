// Whether umockdev's preload library, which emulates sysfs, /dev and usbfs
// for the real libusb, is loaded into this process. It must be preloaded at
// process start (LD_PRELOAD or umockdev-wrapper); umockdev's own
// umockdev_in_mock_environment() reports false under umockdev-wrapper.
#pragma once

namespace zoqsim {

constexpr const char* kUmockdevPreload = "libumockdev-preload.so.0";

// LD_PRELOAD names the library and the dynamic loader has it loaded.
bool usbfsEmulationLoaded();
// LD_PRELOAD names the library (whether or not it could be loaded).
bool usbfsEmulationRequested();

}  // namespace zoqsim
