/* Capabilities of device type 89 (IMX178, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_89 = {
    .deviceType = 89,
    // bytes 8 to 18
    .base = {0xf7, 0xc2, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x2d, 0x28, 0x28},
    .pixelClockMHz = 74.25f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(8)}, .bytes = {0xf7, 0xf7, 0x09, 0x00, 0x80, 0x0b, 0x06}},
        },
};
