// zoqsim: simulated USB cameras for tests, benchmarks and demos.
//
// A Testbed puts simulated devices on an emulated USB bus (umockdev) that
// the real, unmodified libusb-1.0 enumerates and drives, so the SDK runs
// against them exactly as against hardware. Each device is a UsbFunction
// (its firmware: control requests on endpoint 0, frames on the bulk IN
// endpoint) behind a descriptor layout; SimDevice adds USB-level fault
// injection and a record of every transfer. Cameras are the camera model
// (SimCamera::model()).
//
//   zoqsim::Testbed bed;                      // needs the preload library
//   zoqsim::CameraConfig config;
//   config.deviceType = 104;
//   zoqsim::SimCamera& cam = bed.attach(config);
//   ... ZOQ_Init, drive the camera, inspect cam.controlRecords() ...
//
// Test programs built with zoq_add_gtest(... SIMULATED) run under the
// preload library; programs started by hand call relaunchUnderPreload first.
// Link zoqsim_interpose into programs that need
// SimDevice::failDeviceDescriptor.
#pragma once

#include "CameraList.h"
#include "Launcher.h"
#include "SimCamera.h"
#include "UsbFunction.h"
#include "model/CameraModel.h"
#include "usb/DeviceLayout.h"
#include "usb/SimDevice.h"
#include "usb/Testbed.h"
#include "usb/TransferLog.h"
