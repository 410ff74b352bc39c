// Enumeration, descriptors, open/claim/configure through the real libusb.
#include "SimUsbTest.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

using namespace simusb;
using zoqsim::SimDevice;

namespace {

class Enumeration : public SimUsbTest {};

TEST_F(Enumeration, ListsDevicesWithIdsAndAddressesNewestFirst) {
    SimDevice& first = attachScripted(0x0816, 0x0511);
    SimDevice& foreign = bed.attachForeign(0x046D, 0xC077);
    SimDevice& last = attachScripted(0x04B4, 0x8613);

    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 3u);
    const SimDevice* expected[] = {&last, &foreign, &first};
    const uint16_t pids[] = {0x8613, 0xC077, 0x0511};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(listed[i].bus, expected[i]->busNumber()) << i;
        EXPECT_EQ(listed[i].address, expected[i]->deviceAddress()) << i;
        EXPECT_EQ(listed[i].idProduct, pids[i]) << i;
    }
    EXPECT_EQ(listed[1].idVendor, 0x046D);
    EXPECT_EQ(bed.devices(), (std::vector<SimDevice*>{&last, &foreign, &first}));
    EXPECT_EQ(first.address(), (zoqsim::UsbAddress{1, 2}));
    EXPECT_EQ(last.address(), (zoqsim::UsbAddress{1, 4}));
}

TEST_F(Enumeration, SeventyDevicesAreAllListedInTestbedOrder) {
    for (int i = 0; i < 70; ++i)
        attachScripted(0x0816, static_cast<uint16_t>(0x1A11 + i % 31));
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 70u);
    const std::vector<SimDevice*> devices = bed.devices();
    std::set<int> addresses;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].address, devices[i]->deviceAddress()) << i;
        addresses.insert(listed[i].bus * 256 + listed[i].address);
    }
    EXPECT_EQ(addresses.size(), 70u);
}

TEST_F(Enumeration, DevicesPluggedAfterInitAppearAtTheFront) {
    SimDevice& before = attachScripted();
    ASSERT_EQ(list().size(), 1u);
    SimDevice& after = attachScripted(0x0816, 0x0512);
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].address, after.deviceAddress());
    EXPECT_EQ(listed[1].address, before.deviceAddress());
}

TEST_F(Enumeration, CameraLayoutIsOneInterfaceWithBulkOutThenBulkIn) {
    SimDevice& cam = attachScripted(0x0816, 0x0552);
    libusb_device_handle* h = open(cam);
    ASSERT_NE(h, nullptr);
    libusb_device* dev = libusb_get_device(h);
    EXPECT_EQ(libusb_get_device_speed(dev), LIBUSB_SPEED_HIGH);
    libusb_device_descriptor desc{};
    ASSERT_EQ(libusb_get_device_descriptor(dev, &desc), 0);
    EXPECT_EQ(desc.bNumConfigurations, 1);
    libusb_config_descriptor* config = nullptr;
    ASSERT_EQ(libusb_get_config_descriptor(dev, 0, &config), 0);
    ASSERT_EQ(config->bNumInterfaces, 1);
    ASSERT_EQ(config->interface[0].num_altsetting, 1);
    const libusb_interface_descriptor& alt = config->interface[0].altsetting[0];
    ASSERT_EQ(alt.bNumEndpoints, 2);
    EXPECT_EQ(alt.endpoint[0].bEndpointAddress, 0x02);
    EXPECT_EQ(alt.endpoint[1].bEndpointAddress, 0x86);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(alt.endpoint[i].bmAttributes & 3, LIBUSB_TRANSFER_TYPE_BULK);
        EXPECT_EQ(alt.endpoint[i].wMaxPacketSize, 512);
    }
    libusb_free_config_descriptor(config);
}

TEST_F(Enumeration, CustomLayoutWithSeveralConfigurationsAndAlternateSettings) {
    zoqsim::DeviceLayout layout = zoqsim::cameraLayout(0x0816, 0x0631);
    layout.bcdDevice = 0x0207;
    layout.speed = zoqsim::UsbSpeed::Super;
    layout.configs[0].interfaces.push_back(
        {{{.endpoints = {}}, {.endpoints = {{.address = 0x83, .attributes = zoqsim::kEpInterrupt, .interval = 4}}}}});
    layout.configs.push_back({.value = 2, .interfaces = {{{{.endpoints = {{.address = 0x81}}}}}}});
    layout.configs.push_back({.value = 3, .interfaces = {{{{}}}}, .malformed = true});
    SimDevice& dev = bed.attachDevice(std::make_unique<ScriptedFunction>(), layout);

    libusb_device_handle* h = open(dev);
    ASSERT_NE(h, nullptr);
    libusb_device* d = libusb_get_device(h);
    EXPECT_EQ(libusb_get_device_speed(d), LIBUSB_SPEED_SUPER);
    libusb_device_descriptor desc{};
    libusb_get_device_descriptor(d, &desc);
    EXPECT_EQ(desc.bcdDevice, 0x0207);
    EXPECT_EQ(desc.bNumConfigurations, 3);

    libusb_config_descriptor* config = nullptr;
    ASSERT_EQ(libusb_get_config_descriptor(d, 0, &config), 0);
    ASSERT_EQ(config->bNumInterfaces, 2);
    ASSERT_EQ(config->interface[1].num_altsetting, 2);
    EXPECT_EQ(config->interface[1].altsetting[0].bNumEndpoints, 0);
    EXPECT_EQ(config->interface[1].altsetting[1].endpoint[0].bEndpointAddress, 0x83);
    EXPECT_EQ(config->interface[1].altsetting[1].endpoint[0].bInterval, 4);
    libusb_free_config_descriptor(config);
    ASSERT_EQ(libusb_get_config_descriptor(d, 1, &config), 0);
    EXPECT_EQ(config->bConfigurationValue, 2);
    EXPECT_EQ(config->interface[0].altsetting[0].endpoint[0].bEndpointAddress, 0x81);
    libusb_free_config_descriptor(config);
    // The malformed one fails alone; the device stays usable.
    EXPECT_EQ(libusb_get_config_descriptor(d, 2, &config), LIBUSB_ERROR_IO);

    EXPECT_EQ(libusb_claim_interface(h, 1), 0);
    EXPECT_EQ(libusb_set_interface_alt_setting(h, 1, 1), 0);
    EXPECT_EQ(libusb_clear_halt(h, 0x83), 0);
    EXPECT_EQ(libusb_set_interface_alt_setting(h, 1, 2), LIBUSB_ERROR_NOT_FOUND);
    EXPECT_EQ(libusb_release_interface(h, 1), 0);
    EXPECT_EQ(libusb_set_configuration(h, 2), 0);
    int active = 0;
    EXPECT_EQ(libusb_get_configuration(h, &active), 0);
    EXPECT_EQ(active, 2);
    EXPECT_EQ(libusb_claim_interface(h, 1), LIBUSB_ERROR_NOT_FOUND);
    EXPECT_EQ(libusb_set_configuration(h, 7), LIBUSB_ERROR_NOT_FOUND);
}

TEST_F(Enumeration, OpenClaimConfigureAndResetACamera) {
    SimDevice& cam = attachScripted();
    libusb_device_handle* h = open(cam);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(libusb_kernel_driver_active(h, 0), 0);
    EXPECT_EQ(libusb_set_configuration(h, 1), 0);
    EXPECT_EQ(libusb_claim_interface(h, 0), 0);
    EXPECT_EQ(libusb_claim_interface(h, 1), LIBUSB_ERROR_NOT_FOUND);
    EXPECT_EQ(libusb_set_interface_alt_setting(h, 0, 0), 0);
    EXPECT_EQ(libusb_clear_halt(h, 0x86), 0);
    EXPECT_EQ(libusb_clear_halt(h, 0x85), LIBUSB_ERROR_NOT_FOUND);
    EXPECT_EQ(libusb_reset_device(h), 0);
    EXPECT_EQ(cam.resetCount(), 1u);
    EXPECT_TRUE(cam.plugged());
    EXPECT_EQ(list().size(), 1u);
    EXPECT_EQ(libusb_release_interface(h, 0), 0);
}

TEST_F(Enumeration, MarkedDeviceDescriptorFailsThroughTheInterposer) {
    SimDevice& good = attachScripted();
    SimDevice& bad = attachScripted(0x0816, 0x0512);
    ASSERT_TRUE(bad.failDeviceDescriptor());

    libusb_device** devices = nullptr;
    ASSERT_EQ(libusb_get_device_list(usb(), &devices), 2);
    libusb_device_descriptor desc{};
    // Newest first: the marked device leads the list.
    EXPECT_EQ(libusb_get_device_address(devices[0]), bad.deviceAddress());
    EXPECT_EQ(libusb_get_device_descriptor(devices[0], &desc), LIBUSB_ERROR_IO);
    EXPECT_EQ(libusb_get_device_descriptor(devices[1], &desc), 0);
    EXPECT_EQ(desc.idProduct, 0x0511);
    bad.failDeviceDescriptor(false);
    EXPECT_EQ(libusb_get_device_descriptor(devices[0], &desc), 0);
    EXPECT_EQ(desc.idProduct, 0x0512);
    libusb_free_device_list(devices, 1);
    (void)good;
}

// The process's threads, without GLib's own process-wide helper ("gmain"),
// which GLib starts on demand and keeps to the end.
std::set<std::string> threads() {
    std::set<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        std::getline(comm, name);
        if (name != "gmain")
            out.insert(entry.path().filename().string());
    }
    return out;
}

TEST(TestbedLifetime, EndsItsThreadsAndFilesWithIt) {
    const std::set<std::string> before = threads();
    std::string root;
    {
        zoqsim::Testbed bed;
        root = bed.rootDir();
        zoqsim::SimDevice& dev = bed.attachDevice(std::make_unique<ScriptedFunction>(), 0x0816, 0x0511);
        libusb_context* ctx = nullptr;
        ASSERT_EQ(libusb_init(&ctx), 0);
        libusb_device** list = nullptr;
        ASSERT_EQ(libusb_get_device_list(ctx, &list), 1);
        libusb_device_handle* h = nullptr;
        ASSERT_EQ(libusb_open(list[0], &h), 0);
        libusb_free_device_list(list, 1);
        std::vector<uint8_t> reply(2);
        EXPECT_EQ(vendorIn(h, 0x7F, reply), LIBUSB_ERROR_PIPE);
        bed.unplug(dev);
        libusb_close(h);
        libusb_exit(ctx);
        EXPECT_TRUE(std::filesystem::exists(root));
        EXPECT_GT(threads().size(), before.size());  // umockdev's worker
    }
    // Every thread started since is gone (a joined thread may linger in /proc
    // for a moment).
    auto started = [&before] {
        std::set<std::string> extra;
        for (const std::string& t : threads())
            if (before.count(t) == 0)
                extra.insert(t);
        return extra;
    };
    for (int i = 0; i < 100 && !started().empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(started().empty());
    EXPECT_FALSE(std::filesystem::exists(root));
}

TEST(TestbedLifetime, RefusesToRunWithoutThePreloadLibrary) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string saved = std::getenv("LD_PRELOAD") ? std::getenv("LD_PRELOAD") : "";
    setenv("LD_PRELOAD", "", 1);  // the re-executed child starts without it
    EXPECT_DEATH(zoqsim::Testbed bed, "needs umockdev's preload library");
    setenv("LD_PRELOAD", saved.c_str(), 1);
}

TEST(TestbedLifetime, OneAtATime) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            zoqsim::Testbed first;
            zoqsim::Testbed second;
        },
        "only one Testbed");
    zoqsim::Testbed again;  // the first one's end frees the place
    EXPECT_TRUE(again.devices().empty());
}

}  // namespace
