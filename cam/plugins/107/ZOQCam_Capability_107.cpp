/* Capabilities of device type 107 (IMX174, monochrome). */
#include "fpga/ZOQCam_Capability.h"

extern const ZOQCapabilityTable g_ZOQCapability_107 = {
    .deviceType = 107,
    // bytes 8 to 18
    .base = {0xf7, 0xc0, 0x00, 0x00, 0x00, 0x90, 0x00, 0x00, 0x1d, 0x28, 0x08},
    .pixelClockMHz = 99.0f,
    // bytes 0 to 6 by FPGA version
    .fpga =
        {
            {.versions = {AnyMinor(8)}, .bytes = {0xff, 0xf7, 0x0f, 0x00, 0x80, 0x0b, 0x06}},
            {.versions = {AnyMinor(9)}, .bytes = {0xff, 0x67, 0x0e, 0x00, 0x80, 0x0b, 0x06}},
        },
};
