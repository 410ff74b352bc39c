/* Capabilities of device type 58 (EV76C560, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_58 = {
    .deviceType = 58,
    // bytes 8 to 18
    .base = {0xf6, 0xc0, 0x01, 0x00, 0x00, 0x90, 0x00, 0x00, 0xbe, 0x29, 0x00},
    .pixelClockMHz = 57.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {Version(0, 0)}, .bytes = {0xe2, 0x37, 0x00, 0x00, 0x00, 0x00, 0x05}},
            {.versions = {Version(2, 6)}, .bytes = {0xe6, 0x37, 0x00, 0x00, 0x00, 0x00, 0x05}},
            {.versions = {Version(5, 3), Version(5, 4), Version(5, 5), Version(6, 1)},
             .bytes = {0xf6, 0xbf, 0x08, 0x00, 0x00, 0x00, 0x05}},
            {.versions = {Version(6, 2), Version(6, 3)},
             .bytes = {0xfe, 0xbf, 0x0a, 0x00, 0x00, 0x00, 0x05}},
            {.versions = {AnyMinor(9)},
             .bytes = {0xff, 0xff, 0xff, 0xfd, 0xb1, 0x4f, 0x05},
             .byte16 = 0xb8},
        },
};
