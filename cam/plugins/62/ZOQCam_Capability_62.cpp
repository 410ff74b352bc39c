/* Capabilities of device type 62 (MT9M031, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_62 = {
    .deviceType = 62,
    // bytes 8 to 18
    .base = {0xf7, 0xc0, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x3a, 0x12, 0x30},
    .pixelClockMHz = 99.0f,
    .firmware =
        {
            {.firmware = Version(1, 0), .byte = 8, .value = 0x01},
        },
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {Version(1, 0)},
             .bytes = {0xe6, 0x37, 0x00, 0x00, 0x00, 0x00, 0x06},
             .byte16 = 0x3c},
            {.versions = {Version(5, 1), Version(5, 5)},
             .bytes = {0xf6, 0x37, 0x08, 0x00, 0x00, 0x00, 0x06},
             .byte16 = 0x3c},
            {.versions = {Version(6, 0), Version(6, 1)},
             .bytes = {0xf6, 0x3f, 0x08, 0x00, 0x00, 0x00, 0x06},
             .byte16 = 0x3c},
            {.versions = {Version(6, 5), AnyMinor(8), AnyMinor(9)},
             .bytes = {0xff, 0xff, 0xff, 0xfd, 0xb1, 0x4f, 0x06}},
        },
};
