// The USB ids of the cameras, shared by the bus's enumeration and the tools
// that need every pair (the udev rules generator, zoqcam's access check).
// Needs nothing but the standard library.
#pragma once

#include <cstddef>
#include <cstdint>

struct CameraIdRange {
    uint32_t vendor;
    uint32_t productFirst;
    uint32_t productLast;
    // Why a pair needs a word of explanation (null for most).
    const char* note = nullptr;
};

// True when (idVendor, idProduct) is one of the cameras' id pairs.
bool IsCameraId(uint16_t idVendor, uint16_t idProduct);

// The id table: runs of consecutive products as one range each.
const CameraIdRange* CameraIdRanges(std::size_t* count);
