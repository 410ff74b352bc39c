/* Capabilities of device type 3 (MT9T001, colour). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_3 = {
    .deviceType = 3,
    // bytes 8 to 18
    .base = {0x00, 0xc0, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xfa, 0x0b, 0x00},
    .pixelClockMHz = 48.0f,
    .firmware =
        {
            {.firmware = MajorAndMinorFrom(1, 6), .byte = 16, .value = 0xfc},
        },
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {EveryVersion()}, .bytes = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        },
};
