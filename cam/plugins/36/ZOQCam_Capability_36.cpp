/* Capabilities of device type 36 (MT9V034, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_36 = {
    .deviceType = 36,
    // bytes 8 to 18
    .base = {0x00, 0xc0, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0xbe, 0xea, 0x0f},
    .pixelClockMHz = 27.0f,
    .altPixelClockFirmware = AnyMinor(6),
    .altPixelClockMHz = 48.0f,
    .firmware =
        {
            {.firmware = Version(2, 1), .byte = 9, .value = 0xe0},
            {.firmware = Version(2, 3), .byte = 9, .value = 0xe0},
            {.firmware = AnyMinor(5), .byte = 14, .value = 0x01},
            {.firmware = AnyMinor(6), .byte = 8, .value = 0x36},
            {.firmware = AnyMinor(6), .byte = 14, .value = 0x01},
        },
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(8)},
             .bytes = {0xff, 0x7f, 0x0e, 0x00, 0x80, 0x03, 0x05},
             .byte16 = 0xb8},
            {.versions = {AnyMinor(9)},
             .bytes = {0xff, 0x77, 0xfe, 0x3d, 0x80, 0x01, 0x05},
             .byte16 = 0xb8},
        },
};
