// One camera of the library for Python: identity, settings and captures.
// The library keeps every camera open from its start; closing a Camera
// object ends its use from Python (its streams stop) and leaves the camera
// to other objects.
#pragma once

#include <pybind11/numpy.h>

#include <string>
#include <tuple>

namespace zoqpy {

struct CameraInfo {
    int index = 0;
    int deviceType = 0;
    int serial = 0;
    int firmware = 0;  // major in the high byte
    int fpga = 0;
    std::string model;
};

// Every camera the library found (starts it when needed).
std::vector<CameraInfo> ListCameras();

class Camera {
public:
    // By index, or (serial >= 0) by serial number; throws ValueError when
    // there is no such camera.
    Camera(int index, int serial);

    const CameraInfo& Info() const { return m_info; }
    void Close() { m_open = false; }
    bool Closed() const { return !m_open; }
    // The index for a call; throws ValueError once the object is closed.
    int Use() const;

    pybind11::array CaptureRaw();
    pybind11::array CaptureRgb();

    // Window (x, y, width, height, column mode, row mode).
    using Window = std::tuple<int, int, int, int, int, int>;
    Window FieldOfView() const;
    Window DefaultFieldOfView() const;
    void SetFieldOfView(const Window& window);

    void SetWhiteBalance(int mode);
    void SetGain(int gain);  // red, green and blue alike

private:
    CameraInfo m_info;
    bool m_open = true;
};

}  // namespace zoqpy
