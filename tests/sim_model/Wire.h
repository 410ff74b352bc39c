// Talks to a camera model the way the host does on endpoint 0.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "CameraModel.h"

namespace zoqsim::test {

// Device-to-host request; nullopt when the camera stalls.
inline std::optional<std::vector<uint8_t>> in(UsbFunction& camera, uint8_t bRequest, uint16_t wValue,
                                              uint16_t wIndex, uint16_t wLength) {
    std::vector<uint8_t> data(wLength, 0xEE);
    const int n = camera.control({0xC0, bRequest, wValue, wIndex, wLength}, data.data());
    if (n < 0) return std::nullopt;
    data.resize(std::size_t(n));
    return data;
}

// Host-to-device request; the camera's result (wLength, or negative for a stall).
inline int out(UsbFunction& camera, uint8_t bRequest, uint16_t wValue, uint16_t wIndex,
               std::vector<uint8_t> data) {
    return camera.control({0x40, bRequest, wValue, wIndex, uint16_t(data.size())}, data.data());
}

using Bytes = std::vector<uint8_t>;

// Reads a whole frame in one bulk transfer of `length` bytes.
inline Bytes readFrame(UsbFunction& camera, std::size_t length) {
    Bytes frame(length);
    const long n = camera.bulkIn(frame.data(), length);
    frame.resize(n < 0 ? 0 : std::size_t(n));
    return frame;
}

inline std::unique_ptr<CameraModel> camera(int deviceType, SceneOptions scene = {}) {
    CameraConfig config;
    config.deviceType = deviceType;
    config.scene = scene;
    return makeCamera(config);
}

}  // namespace zoqsim::test

namespace zoqsim::test {

// Trigger, then read `length` bytes in one transfer.
inline Bytes capture(CameraModel& camera, std::size_t length) {
    in(camera, 0xC8, 0, 0, 1);
    return readFrame(camera, length);
}

inline Bytes capture(CameraModel& camera) { return capture(camera, camera.geometry().bytes()); }

// 16-bit little-endian samples.
inline std::vector<uint16_t> words(const Bytes& bytes) {
    std::vector<uint16_t> w(bytes.size() / 2);
    for (std::size_t i = 0; i < w.size(); ++i) w[i] = uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return w;
}

}  // namespace zoqsim::test
