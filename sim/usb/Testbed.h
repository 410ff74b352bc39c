// The simulated USB bus of a test process: devices with sysfs entries and
// device nodes that the unmodified libusb enumerates, opens and drives
// through an emulated usbfs (umockdev).
//
// Requirements: the process runs with umockdev's preload library
// (LD_PRELOAD=libumockdev-preload.so.0, umockdev-wrapper, the SIMULATED
// option of zoq_add_gtest, or zoqsim::relaunchUnderPreload); one Testbed
// exists per process at a time; it is created before libusb_init (or
// ZOQ_Init) and destroyed after libusb_exit (or ZOQ_UnInit).
//
// List order: libusb lists the devices newest plug-in first. Attaching A and
// then B gives the list [B, A]; a device unplugged and plugged in again moves
// to the front. devices() returns the plugged devices in that order, so
// "slot order follows libusb's list order" means devices()[i] is slot i.
//
// Addresses: bus 1 first, addresses 2 to 127 handed out round robin as the
// kernel does; beyond 126 devices the next bus is used.
#pragma once

#include "UsbFunction.h"
#include "usb/AddressPool.h"
#include "usb/DeviceLayout.h"
#include "usb/SimDevice.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zoqsim {

class SimCamera;
class UsbfsBridge;
struct CameraConfig;
struct DeviceCore;

class Testbed {
public:
    // Prints why and aborts when umockdev's preload library is not loaded or
    // another Testbed is alive.
    Testbed();
    // Every device disappears. libusb must be done with them (libusb_exit).
    ~Testbed();
    Testbed(const Testbed&) = delete;
    Testbed& operator=(const Testbed&) = delete;

    // Plugs a device in at the next free address. The reference stays valid
    // for the Testbed's life, plugged or not.
    SimDevice& attachDevice(std::unique_ptr<UsbFunction> function, const DeviceLayout& layout);
    // The same with the cameras' descriptor layout (cameraLayout).
    SimDevice& attachDevice(std::unique_ptr<UsbFunction> function, uint16_t vendorId, uint16_t productId);
    // A device that is not a camera: foreignLayout, stalls every request.
    SimDevice& attachForeign(uint16_t vendorId, uint16_t productId);
    // A camera model built by makeCamera(config), with the cameras' layout and
    // the config's USB ids (the model's default pair when they are 0), on a
    // link of the config's bandwidth. Aborts with a message when makeCamera
    // refuses the config.
    SimCamera& attach(const CameraConfig& config);

    // The device disappears: a remove uevent, libusb drops it from its list,
    // every request on a handle still open fails with LIBUSB_ERROR_NO_DEVICE
    // and transfers in flight end with it. No effect on an unplugged device.
    void unplug(SimDevice& device);
    // The same device comes back (unplugged first if needed) after a power
    // cycle: UsbFunction::powerOn() runs, then the device appears at its old
    // address, or at the next free one when `newAddress` is set or the old one
    // is taken. Handles opened before stay dead.
    void replug(SimDevice& device, bool newAddress = false);
    // A different device is plugged in where `device` was (unplugged first if
    // needed), at the next free address: new function, new descriptors,
    // pending faults cleared, records kept.
    void replace(SimDevice& device, std::unique_ptr<UsbFunction> function, const DeviceLayout& layout);
    // Another camera in the place of `device`, e.g. the same type with another
    // serial number.
    void replace(SimCamera& device, const CameraConfig& config);

    // The plugged devices in libusb's list order (newest plug-in first).
    std::vector<SimDevice*> devices() const;
    // The testbed's root folder (emulated /sys and /dev live below it).
    std::string rootDir() const;

private:
    std::unique_ptr<DeviceCore> newCore(std::unique_ptr<UsbFunction> function, const DeviceLayout& layout);
    // Takes the new device into the table and plugs it in; lock held.
    SimDevice& plugNew(std::unique_ptr<SimDevice> device);
    void plug(DeviceCore& core, UsbAddress address);
    void unplugLocked(DeviceCore& core);

    mutable std::mutex m_lock;
    AddressPool m_addresses;
    uint32_t m_plugSequence = 0;
    uint64_t m_plugIds = 0;
    std::vector<std::unique_ptr<SimDevice>> m_devices;
    std::unique_ptr<UsbfsBridge> m_bridge;   // declared last: destroyed first
};

}  // namespace zoqsim
