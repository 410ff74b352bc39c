/* Capabilities of device type 53 (MT9P031, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_53 = {
    .deviceType = 53,
    // bytes 8 to 18
    .base = {0xf7, 0xc0, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0xfd, 0x0a, 0x01},
    .pixelClockMHz = 96.0f,
    .firmware =
        {
            {.firmware = Version(3, 4), .byte = 8, .value = 0x01},
        },
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {Version(0, 0)}, .bytes = {0xe6, 0x37, 0x00, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(1, 1), Version(5, 0)},
             .bytes = {0xf6, 0x37, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(5, 2), Version(5, 3), Version(5, 4), Version(6, 1)},
             .bytes = {0xf6, 0xbf, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(6, 4)}, .bytes = {0xfe, 0xbf, 0x08, 0x00, 0x00, 0x00, 0x06}},
            {.versions = {Version(6, 5)}, .bytes = {0xff, 0xff, 0xff, 0xfd, 0xbd, 0x4f, 0x06}},
        },
};
