/* Capabilities of device type 67 (MT9M001, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_67 = {
    .deviceType = 67,
    // bytes 8 to 18
    .base = {0x11, 0x20, 0x01, 0x00, 0x00, 0x10, 0x01, 0x00, 0xb5, 0x09, 0x00},
    .pixelClockMHz = 48.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {EveryVersion()}, .bytes = {0x22, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06}},
        },
};
