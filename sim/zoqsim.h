// zoqsim: simulated USB cameras for tests, benchmarks and demos.
//
// A Testbed puts simulated devices on an emulated USB bus (umockdev) that
// the real, unmodified libusb-1.0 enumerates and drives, so the SDK runs
// against them exactly as against hardware. Each device is a UsbFunction
// (its firmware: control requests on endpoint 0, frames on the bulk IN
// endpoint) behind a descriptor layout; SimDevice adds USB-level fault
// injection and a record of every transfer.
//
//   zoqsim::Testbed bed;                      // needs the preload library
//   auto& dev = bed.attachDevice(std::make_unique<MyFunction>(), 0x0816, 0x0511);
//   ... libusb_init / ZOQ_Init, drive the device, inspect dev.controlRecords() ...
//
// Test programs built with zoq_add_gtest(... SIMULATED) run under the
// preload library; programs started by hand call relaunchUnderPreload first.
// Link zoqsim_interpose into programs that need
// SimDevice::failDeviceDescriptor.
#pragma once

#include "Launcher.h"
#include "UsbFunction.h"
#include "usb/DeviceLayout.h"
#include "usb/SimDevice.h"
#include "usb/Testbed.h"
#include "usb/TransferLog.h"
