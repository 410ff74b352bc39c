/* The capability tables of the plug-ins: records recomputed by hand from the
 * model tables for a sample of device types, firmware and FPGA versions, and
 * the per-plug-in defaults (colour, Bayer mode, pixel clock) of all 25. */
#include <gtest/gtest.h>

#include "CamTestSupport.h"

namespace {

struct Probe : CZOQCamMT9P031 {
    using CZOQCamMT9P031::CZOQCamMT9P031;
    float Clock() const { return m_fPixelClock; }
    float Period() const { return m_fPixelClockPeriod; }
};

struct Sample {
    const ZOQCapabilityTable* table;
    unsigned short firmware;
    unsigned fpgaMajor, fpgaMinor;
    const char* record;  // bytes 0..18
};

std::string RecordOf(const ZOQCapabilityTable& table, unsigned short firmware, unsigned major,
                     unsigned minor, float* clock = nullptr, float* period = nullptr) {
    FakeZOQDevice device;
    device.firmwareVersion = firmware;
    device.SetFpgaVersion(major, minor);
    Probe cam(&device, table);
    if (clock) *clock = cam.Clock();
    if (period) *period = cam.Period();
    return RecordString(cam);
}

}  // namespace

TEST(CamCapabilityTables, RecordsByFirmwareAndFpgaVersion) {
    const Sample samples[] = {
        // 52: firmware 3.1 hides the version registers; 6.4 and later change the Bayer mode.
        {&g_ZOQCapability_52, 0x0305, 6, 5, "ff ff ff fd bd 4f 06 00 f6 cf 00 00 00 90 00 00 fa 0a 01"},
        {&g_ZOQCapability_52, 0x0301, 0, 3, "e6 37 00 00 00 00 06 00 f6 0f 00 00 00 90 00 00 fc 0a 01"},
        {&g_ZOQCapability_52, 0x0305, 5, 3, "f7 3f 08 00 00 00 06 00 f6 cf 00 00 00 90 00 00 fc 0a 01"},
        {&g_ZOQCapability_52, 0x0305, 9, 7, "ff ff ff fd b1 4f 06 00 f6 cf 00 00 00 90 00 00 fa 0a 01"},
        {&g_ZOQCapability_52, 0x0305, 6, 2, "00 00 00 00 00 00 00 00 f6 cf 00 00 00 90 00 00 fc 0a 01"},
        {&g_ZOQCapability_52, 0x0305, 7, 0, "00 00 00 00 00 00 00 00 f6 cf 00 00 00 90 00 00 fc 0a 01"},
        // 53: only 0.0 of major 0; firmware 3.4 carries register 0 differently.
        {&g_ZOQCapability_53, 0x0304, 5, 3, "f6 bf 08 00 00 00 06 00 01 c0 00 00 00 90 00 00 fd 0a 01"},
        {&g_ZOQCapability_53, 0x0305, 0, 1, "00 00 00 00 00 00 00 00 f7 c0 00 00 00 90 00 00 fd 0a 01"},
        {&g_ZOQCapability_53, 0x0305, 6, 4, "fe bf 08 00 00 00 06 00 f7 c0 00 00 00 90 00 00 fd 0a 01"},
        // 36: three firmware rules.
        {&g_ZOQCapability_36, 0x0602, 9, 1, "ff 77 fe 3d 80 01 05 00 36 c0 00 00 00 10 01 00 b8 ea 0f"},
        {&g_ZOQCapability_36, 0x0203, 8, 0, "ff 7f 0e 00 80 03 05 00 00 e0 00 00 00 10 00 00 b8 ea 0f"},
        {&g_ZOQCapability_36, 0x0500, 6, 5, "00 00 00 00 00 00 00 00 00 c0 00 00 00 10 01 00 be ea 0f"},
        // 3: the Bayer mode by firmware (major 1 or more and minor 6 or more).
        {&g_ZOQCapability_3, 0x0106, 6, 5, "00 00 00 00 00 00 00 00 00 c0 01 00 00 00 00 00 fc 0b 00"},
        {&g_ZOQCapability_3, 0x0205, 6, 5, "00 00 00 00 00 00 00 00 00 c0 01 00 00 00 00 00 fa 0b 00"},
        {&g_ZOQCapability_3, 0x0007, 6, 5, "00 00 00 00 00 00 00 00 00 c0 01 00 00 00 00 00 fa 0b 00"},
        // 61: firmware major 4 and above.
        {&g_ZOQCapability_61, 0x0400, 6, 5, "26 00 00 00 00 00 06 00 07 20 00 00 00 20 00 00 3d e8 08"},
        {&g_ZOQCapability_61, 0x0309, 0, 0, "26 00 00 00 00 00 06 00 01 20 00 00 00 20 00 00 3d e8 08"},
        // 62: [3c] up to 6.1, not from 6.5.
        {&g_ZOQCapability_62, 0x0100, 6, 1, "f6 3f 08 00 00 00 06 00 01 c0 00 00 00 90 00 00 3c 12 30"},
        {&g_ZOQCapability_62, 0x0200, 6, 5, "ff ff ff fd b1 4f 06 00 f7 c0 00 00 00 90 00 00 3a 12 30"},
        // Others.
        {&g_ZOQCapability_104, 0x0100, 9, 3, "f7 67 fe fd bd 0b 06 00 f6 c4 00 00 00 90 00 00 04 08 08"},
        {&g_ZOQCapability_58, 0x0100, 9, 0, "ff ff ff fd b1 4f 05 00 f6 c0 01 00 00 90 00 00 b8 29 00"},
        {&g_ZOQCapability_59, 0x0100, 2, 6, "e6 37 00 00 00 00 06 00 f7 c0 00 00 00 90 00 00 bd 28 00"},
        {&g_ZOQCapability_63, 0x0100, 6, 5, "ff ff ff fd bd 4d 06 00 01 c0 00 00 00 90 00 00 3d 12 30"},
        {&g_ZOQCapability_86, 0x0100, 9, 0, "00 00 00 00 00 00 00 00 f7 c4 00 00 00 90 00 00 1c 28 08"},
        {&g_ZOQCapability_106, 0x0100, 9, 0, "ff 67 fe fd b1 0b 06 00 f7 c4 00 00 00 90 00 00 1c 28 08"},
        {&g_ZOQCapability_89, 0x0100, 8, 4, "f7 f7 09 00 80 0b 06 00 f7 c2 00 00 00 90 00 00 2d 28 28"},
        {&g_ZOQCapability_111, 0x0100, 9, 9, "ff 67 fe fd bd 0b 06 00 f6 c0 00 00 00 90 00 00 14 28 00"},
        {&g_ZOQCapability_115_IMX290, 0x0100, 0, 0, "ff f7 ff fd b1 0b 06 00 f7 ce 00 00 00 90 00 00 1c 28 38"},
        {&g_ZOQCapability_115_ISG1307, 0x0100, 3, 2, "ff f7 0f 00 80 0b 06 00 f7 c0 00 00 00 90 00 00 11 28 3e"},
        {&g_ZOQCapability_67, 0x0100, 1, 1, "22 00 00 00 00 00 06 00 11 20 01 00 00 10 01 00 b5 09 00"},
        {&g_ZOQCapability_120, 0x0100, 9, 2, "f7 67 0e 00 80 0b 06 00 f7 c0 00 00 00 90 00 00 1d 08 08"},
    };
    for (const Sample& sample : samples) {
        EXPECT_EQ(RecordOf(*sample.table, sample.firmware, sample.fpgaMajor, sample.fpgaMinor),
                  sample.record)
            << "type " << sample.table->deviceType << ", firmware " << std::hex
            << sample.firmware << std::dec << ", FPGA " << sample.fpgaMajor << "." << sample.fpgaMinor;
    }
}

TEST(CamCapabilityTables, EveryPlugInReportsItsTypeColourBayerModeAndClock) {
    const struct {
        const ZOQCapabilityTable* table;
        unsigned short type;
        bool monochrome;
        int bayer;
        float clockMHz;
    } plugins[] = {
        {&g_ZOQCapability_3, 3, false, 1, 48.0f},      {&g_ZOQCapability_36, 36, false, 3, 27.0f},
        {&g_ZOQCapability_52, 52, false, 2, 96.0f},    {&g_ZOQCapability_53, 53, true, 2, 96.0f},
        {&g_ZOQCapability_58, 58, false, 3, 57.0f},    {&g_ZOQCapability_59, 59, true, 2, 57.0f},
        {&g_ZOQCapability_61, 61, true, 2, 27.0f},     {&g_ZOQCapability_62, 62, false, 1, 99.0f},
        {&g_ZOQCapability_63, 63, true, 2, 99.0f},     {&g_ZOQCapability_67, 67, true, 2, 48.0f},
        {&g_ZOQCapability_86, 86, false, 2, 99.0f},    {&g_ZOQCapability_87, 87, true, 2, 99.0f},
        {&g_ZOQCapability_88, 88, false, 2, 74.25f},   {&g_ZOQCapability_89, 89, true, 2, 74.25f},
        {&g_ZOQCapability_92, 92, false, 2, 99.0f},    {&g_ZOQCapability_93, 93, true, 2, 99.0f},
        {&g_ZOQCapability_95, 95, true, 2, 99.0f},     {&g_ZOQCapability_104, 104, false, 2, 99.0f},
        {&g_ZOQCapability_106, 106, false, 2, 99.0f},  {&g_ZOQCapability_107, 107, true, 2, 99.0f},
        {&g_ZOQCapability_111, 111, false, 2, 400.0f}, {&g_ZOQCapability_114, 114, true, 2, 99.0f},
        {&g_ZOQCapability_115_IMX290, 115, false, 2, 148.5f},
        {&g_ZOQCapability_115_ISG1307, 115, true, 0, 600.0f},
        {&g_ZOQCapability_120, 120, true, 2, 99.0f},
    };
    for (const auto& plugin : plugins) {
        FakeZOQDevice device;
        device.firmwareVersion = 0x0000;
        device.SetFpgaVersion(0, 0);
        Probe cam(&device, *plugin.table);
        int monochrome = -1;
        cam.Cam_QueryFunction(ZOQ_FUNC_MONOCHROME, &monochrome);
        EXPECT_EQ(plugin.table->deviceType, plugin.type);
        EXPECT_EQ(monochrome, plugin.monochrome ? 1 : 0) << "type " << plugin.type;
        EXPECT_EQ(cam.Sensor_GetDefaultBayerMode(), plugin.bayer) << "type " << plugin.type;
        EXPECT_FLOAT_EQ(cam.Clock(), plugin.clockMHz) << "type " << plugin.type;
        EXPECT_FLOAT_EQ(cam.Period(), 1.0f / (plugin.clockMHz * 1000.0f)) << "type " << plugin.type;
    }

    // Type 36 runs its sensor faster on firmware 6.x.
    float clock = 0.0f, period = 0.0f;
    RecordOf(g_ZOQCapability_36, 0x0601, 9, 0, &clock, &period);
    EXPECT_FLOAT_EQ(clock, 48.0f);
    RecordOf(g_ZOQCapability_52, 0x0305, 6, 5, &clock, &period);
    EXPECT_FLOAT_EQ(period, 1.0f / 96000.0f);  // 1/96 us in ms
}
