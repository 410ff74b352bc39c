/* Capabilities of device type 88 (IMX178, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_88 = {
    .deviceType = 88,
    // bytes 8 to 18
    .base = {0xf7, 0xc4, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x2c, 0x28, 0x28},
    .pixelClockMHz = 74.25f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(8)}, .bytes = {0xf7, 0xf7, 0xf9, 0xfd, 0xbd, 0x0b, 0x06}},
        },
};
