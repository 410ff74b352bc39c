/* Capabilities of device type 63 (MT9M031, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_63 = {
    .deviceType = 63,
    // bytes 8 to 18
    .base = {0xf7, 0xc0, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x3d, 0x12, 0x30},
    .pixelClockMHz = 99.0f,
    .firmware =
        {
            {.firmware = Version(1, 0), .byte = 8, .value = 0x01},
        },
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {Version(1, 0)}, .bytes = {0xe6, 0x37, 0x00, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(5, 1), Version(5, 5)},
             .bytes = {0xf6, 0x37, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(6, 0), Version(6, 1)},
             .bytes = {0xf6, 0x3f, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(6, 5)}, .bytes = {0xff, 0xff, 0xff, 0xfd, 0xbd, 0x4d, 0x06}},
            {.versions = {AnyMinor(8)}, .bytes = {0xff, 0xff, 0xff, 0xfd, 0xbd, 0x0b, 0x06}},
        },
};
