/* Capabilities of device type 106 (IMX174, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_106 = {
    .deviceType = 106,
    // bytes 8 to 18
    .base = {0xf7, 0xc4, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x1c, 0x28, 0x08},
    .pixelClockMHz = 99.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(8)}, .bytes = {0xff, 0xf7, 0xff, 0xed, 0xa1, 0x0b, 0x06}},
            {.versions = {AnyMinor(9)}, .bytes = {0xff, 0x67, 0xfe, 0xfd, 0xb1, 0x0b, 0x06}},
        },
};
