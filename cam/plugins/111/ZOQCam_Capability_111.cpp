/* Capabilities of device type 111 (ISG4006A, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_111 = {
    .deviceType = 111,
    // bytes 8 to 18
    .base = {0xf6, 0xc0, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x14, 0x28, 0x00},
    .pixelClockMHz = 400.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(9)}, .bytes = {0xff, 0x67, 0xfe, 0xfd, 0xbd, 0x0b, 0x06}},
        },
};
