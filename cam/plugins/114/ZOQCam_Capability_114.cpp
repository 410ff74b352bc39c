/* Capabilities of device type 114 (IMX287, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_114 = {
    .deviceType = 114,
    // bytes 8 to 18
    .base = {0xf7, 0xc2, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x1d, 0x28, 0x3e},
    .pixelClockMHz = 99.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {EveryVersion()}, .bytes = {0xff, 0xf7, 0x0f, 0x00, 0x80, 0x0b, 0x06}},
        },
};
