/* Capabilities of device type 104 (IMX250, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_104 = {
    .deviceType = 104,
    // bytes 8 to 18
    .base = {0xf6, 0xc4, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x04, 0x08, 0x08},
    .pixelClockMHz = 99.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(8)}, .bytes = {0xff, 0xf7, 0xff, 0xfd, 0xbd, 0x0b, 0x06}},
            {.versions = {AnyMinor(9)}, .bytes = {0xf7, 0x67, 0xfe, 0xfd, 0xbd, 0x0b, 0x06}},
        },
};
