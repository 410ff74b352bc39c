/* Capabilities of device type 52 (MT9P031, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_52 = {
    .deviceType = 52,
    // bytes 8 to 18
    .base = {0xf6, 0xcf, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0xfc, 0x0a, 0x01},
    .pixelClockMHz = 96.0f,
    .firmware =
        {
            {.firmware = Version(3, 1), .byte = 9, .value = 0x0f},
        },
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(0)}, .bytes = {0xe6, 0x37, 0x00, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(1, 1), Version(5, 0)},
             .bytes = {0xf6, 0x37, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(5, 2), Version(5, 3), Version(5, 4)},
             .bytes = {0xf7, 0x3f, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(6, 1)}, .bytes = {0xf6, 0xbf, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(6, 4)},
             .bytes = {0xfe, 0xbf, 0x08, 0x00, 0x00, 0x00, 0x06},
             .byte16 = 0xfa},
            {.versions = {Version(6, 5)},
             .bytes = {0xff, 0xff, 0xff, 0xfd, 0xbd, 0x4f, 0x06},
             .byte16 = 0xfa},
            {.versions = {AnyMinor(8), AnyMinor(9)},
             .bytes = {0xff, 0xff, 0xff, 0xfd, 0xb1, 0x4f, 0x06},
             .byte16 = 0xfa},
        },
};
