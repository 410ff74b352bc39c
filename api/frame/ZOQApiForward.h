// The path of every per-device function: manager -> bus -> device object,
// with the device's locks held (see CZOQDevice and zoqapi.h).
#pragma once

#include <mutex>
#include <utility>

#include "device/ZOQDevice.h"
#include "frame/BusManager.h"

// Runs op on the device of a caller's index without taking its locks: -5
// before ZOQ_Init, -8 for an index that names no device, -18 for a missing
// bus, emptySlotCode for an empty device slot; otherwise op's result
// unchanged.
template <typename Op>
inline int ZoqFindDevice(int index, int emptySlotCode, Op&& op) {
    CBusManager* manager = g_pBusManager;
    if (manager == nullptr) return RC_NOT_INITIALIZED;
    return manager->WithDevice(index, emptySlotCode, std::forward<Op>(op));
}

// The same with the device's state and I/O locks held for the whole call:
// a setter called during another thread's capture waits for it. The call
// ends by publishing the capture shape for a stream of the device.
template <typename Op>
inline int ZoqWithDevice(int index, int emptySlotCode, Op&& op) {
    return ZoqFindDevice(index, emptySlotCode, [&](CZOQDevice& device) {
        std::lock_guard<std::recursive_mutex> state(device.StateLock());
        std::lock_guard<std::recursive_mutex> io(device.IoLock());
        int rc = op(device);
        device.PublishStreamShape();
        return rc;
    });
}

// Captures hold the state lock; their frame read takes the I/O lock only
// while the frame crosses the bus, so a stream of the same camera can read
// while this capture runs its pipeline.
template <typename Op>
inline int ZoqCaptureWithDevice(int index, Op&& op) {
    return ZoqFindDevice(index, RC_NOT_INITIALIZED, [&](CZOQDevice& device) {
        std::lock_guard<std::recursive_mutex> state(device.StateLock());
        int rc = op(device);
        std::lock_guard<std::recursive_mutex> io(device.IoLock());
        device.PublishStreamShape();
        return rc;
    });
}

// Forwards to the device operation of the same name (empty slot: -5).
#define ZOQ_FORWARD(index, operation, ...)     \
    ZoqWithDevice((index), RC_NOT_INITIALIZED, \
                  [&](CZOQDevice& zoqDevice) { return zoqDevice.operation(__VA_ARGS__); })
#define ZOQ_FORWARD_CAPTURE(index, operation, ...) \
    ZoqCaptureWithDevice((index),                  \
                         [&](CZOQDevice& zoqDevice) { return zoqDevice.operation(__VA_ARGS__); })
