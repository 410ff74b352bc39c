// The path of every per-device function: manager -> bus -> device object.
#pragma once

#include <utility>

#include "device/ZOQDevice.h"
#include "frame/BusManager.h"

// Runs op on the device of a caller's index: -5 before ZOQ_Init, -8 for an
// index that names no device, -18 for a missing bus, emptySlotCode for an
// empty device slot; otherwise op's result unchanged.
template <typename Op>
inline int ZoqWithDevice(int index, int emptySlotCode, Op&& op) {
    CBusManager* manager = g_pBusManager;
    if (manager == nullptr) return RC_NOT_INITIALIZED;
    return manager->WithDevice(index, emptySlotCode, std::forward<Op>(op));
}

// Forwards to the device operation of the same name (empty slot: -5).
#define ZOQ_FORWARD(index, operation, ...)     \
    ZoqWithDevice((index), RC_NOT_INITIALIZED, \
                  [&](CZOQDevice& zoqDevice) { return zoqDevice.operation(__VA_ARGS__); })
