/* Capabilities of device type 115 (ISG1307, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_115_ISG1307 = {
    .deviceType = 115,
    // bytes 8 to 18
    .base = {0xf7, 0xc0, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x11, 0x28, 0x3e},
    .pixelClockMHz = 600.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {EveryVersion()}, .bytes = {0xff, 0xf7, 0x0f, 0x00, 0x80, 0x0b, 0x06}},
        },
};
