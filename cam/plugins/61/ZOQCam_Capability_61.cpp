/* Capabilities of device type 61 (MT9V034, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_61 = {
    .deviceType = 61,
    // bytes 8 to 18
    .base = {0x01, 0x20, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x3d, 0xe8, 0x08},
    .pixelClockMHz = 27.0f,
    .firmware =
        {
            {.firmware = MajorFrom(4), .byte = 8, .value = 0x07},
        },
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {EveryVersion()}, .bytes = {0x26, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06}},
        },
};
