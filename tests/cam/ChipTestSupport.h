/* Helpers of the sensor chip tests: a chip class built on the fake device
 * with a plug-in's capability table, wide register values split over 8-bit
 * registers, and the sensor writes a call made. */
#ifndef CHIPTESTSUPPORT_H
#define CHIPTESTSUPPORT_H

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "fpga/ZOQCam_Capability.h"
#include "FakeZOQDevice.h"

// A register and the value written to it.
typedef std::pair<unsigned int, unsigned int> RegValue;

// The sensor writes since the calls were last cleared, in order.
inline std::vector<RegValue> SensorWrites(const FakeZOQDevice& device) {
    std::vector<RegValue> writes;
    for (const FakeZOQDevice::Call& call : device.CallsOf(FakeZOQDevice::Op::WrSensor))
        writes.emplace_back(call.address, call.value);
    return writes;
}

// The same without the writes to the given registers (the exposure that a
// timing change re-applies, for example).
inline std::vector<RegValue> SensorWritesExcept(const FakeZOQDevice& device,
                                                std::initializer_list<unsigned int> skipped) {
    std::vector<RegValue> writes;
    for (const RegValue& write : SensorWrites(device))
        if (std::find(skipped.begin(), skipped.end(), write.first) == skipped.end()) writes.push_back(write);
    return writes;
}

// Width and height of one capture.
inline std::pair<int, int> CaptureSize(IZOQCam& cam) {
    int width = 0, height = 0;
    cam.Cam_GetCaptureSize(&width, &height);
    return {width, height};
}

// A quantity over `bytes` consecutive 8-bit registers, low byte first.
inline void SetBytes(FakeZOQDevice& device, unsigned int first, unsigned int bytes, unsigned int value) {
    for (unsigned int i = 0; i < bytes; ++i)
        device.sensor[first + i] = static_cast<unsigned short>((value >> (8 * i)) & 0xFF);
}

inline unsigned int GetBytes(FakeZOQDevice& device, unsigned int first, unsigned int bytes) {
    unsigned int value = 0;
    for (unsigned int i = bytes; i-- > 0;) value = (value << 8) | (device.sensor[first + i] & 0xFF);
    return value;
}

// A chip class on a fake device. The camera reports the given FPGA version
// (8.0 by default: every listed feature of the Sony models).
template <class Cam>
struct ChipOnFake {
    FakeZOQDevice device;
    std::unique_ptr<Cam> cam;

    Cam& Create(const ZOQCapabilityTable& table, unsigned fpgaMajor = 8, unsigned fpgaMinor = 0) {
        device.deviceType = table.deviceType;
        device.SetFpgaVersion(fpgaMajor, fpgaMinor);
        cam.reset(new Cam(&device, table));
        device.calls.clear();
        return *cam;
    }
};

// The window a Sensor_CheckFov call leaves.
struct Window {
    unsigned int columnStart, rowStart, columnSize, rowSize;
    ZOQ_ADDRESSMODE columnMode, rowMode;
    bool operator==(const Window& other) const {
        return columnStart == other.columnStart && rowStart == other.rowStart &&
               columnSize == other.columnSize && rowSize == other.rowSize &&
               columnMode == other.columnMode && rowMode == other.rowMode;
    }
};

inline void PrintTo(const Window& w, std::ostream* os) {
    *os << "{" << w.columnStart << ", " << w.rowStart << ", " << w.columnSize << ", " << w.rowSize
        << ", mode " << w.columnMode << "/" << w.rowMode << "}";
}

inline int CheckFov(IZOQSensor& cam, Window* w) {
    return cam.Sensor_CheckFov(&w->columnStart, &w->rowStart, &w->columnSize, &w->rowSize,
                               &w->columnMode, &w->rowMode);
}

inline Window GetFov(IZOQSensor& cam) {
    Window w{};
    cam.Sensor_GetFov(&w.columnStart, &w.rowStart, &w.columnSize, &w.rowSize, &w.columnMode,
                      &w.rowMode);
    return w;
}

inline int SetFov(IZOQSensor& cam, const Window& w) {
    return cam.Sensor_SetFov(w.columnStart, w.rowStart, w.columnSize, w.rowSize, w.columnMode,
                             w.rowMode);
}

#endif
