/* Capabilities of device type 115 (IMX290, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_115_IMX290 = {
    .deviceType = 115,
    // bytes 8 to 18
    .base = {0xf7, 0xce, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x1c, 0x28, 0x38},
    .pixelClockMHz = 148.5f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {EveryVersion()}, .bytes = {0xff, 0xf7, 0xff, 0xfd, 0xb1, 0x0b, 0x06}},
        },
};
