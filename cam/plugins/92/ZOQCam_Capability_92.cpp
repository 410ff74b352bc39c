/* Capabilities of device type 92 (IMX249, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_92 = {
    .deviceType = 92,
    // bytes 8 to 18
    .base = {0xf7, 0xc4, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x1c, 0x28, 0x08},
    .pixelClockMHz = 99.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(8)}, .bytes = {0xff, 0xf7, 0xff, 0xed, 0xa1, 0x0b, 0x06}},
        },
};
