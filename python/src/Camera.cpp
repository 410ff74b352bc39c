#include "Camera.h"

#include <cstring>

#include "CameraIdentity.h"
#include "Errors.h"
#include "Images.h"
#include "Library.h"
#include "zoqapi.h"

namespace zoqpy {

namespace py = pybind11;

namespace {

CameraInfo Describe(int index) {
    CameraInfo info;
    unsigned short type = 0, firmware = 0, fpga = 0;
    Check(ZOQ_DeviceGetInformationEx(index, &type, &info.serial, &firmware, &fpga),
          "ZOQ_DeviceGetInformationEx");
    info.index = index;
    info.deviceType = type;
    info.firmware = firmware;
    info.fpga = fpga;
    info.model = zoqid::ModelName(type);
    return info;
}

int CameraCount() {
    Library::Get().EnsureStarted();
    const int count = ZOQ_DeviceGetCount();
    if (count < 0) Check(count, "ZOQ_DeviceGetCount");
    return count;
}

}  // namespace

std::vector<CameraInfo> ListCameras() {
    std::vector<CameraInfo> cameras;
    const int count = CameraCount();
    for (int i = 0; i < count; ++i) {
        // A camera found but not opened (no permission) has no record.
        unsigned short type = 0;
        if (ZOQ_DeviceGetInformation(i, &type, nullptr, nullptr) == RC_SUCCESS)
            cameras.push_back(Describe(i));
    }
    return cameras;
}

Camera::Camera(int index, int serial) {
    const int count = CameraCount();
    if (serial >= 0) {
        for (int i = 0; i < count; ++i) {
            int found = -1;
            if (ZOQ_DeviceGetInformation(i, nullptr, &found, nullptr) == RC_SUCCESS &&
                found == serial) {
                m_info = Describe(i);
                return;
            }
        }
        throw py::value_error("no camera with serial number " + std::to_string(serial) + " (" +
                              std::to_string(count) + " found)");
    }
    if (index < 0 || index >= count)
        throw py::value_error("no camera " + std::to_string(index) + " (" + std::to_string(count) +
                              " found)");
    m_info = Describe(index);
}

int Camera::Use() const {
    if (!m_open) throw py::value_error("the camera is closed");
    return m_info.index;
}

py::array Camera::CaptureRaw() {
    const int index = Use();
    int width = 0, height = 0;
    Check(ZOQ_CaptureGetSize(index, &width, &height), "ZOQ_CaptureGetSize");
    const zoqid::FrameWidth frameWidth(index, static_cast<size_t>(width) * height);
    py::array_t<uint8_t> buffer(static_cast<py::ssize_t>(frameWidth.BufferBytes()));
    unsigned char* data = buffer.mutable_data();
    frameWidth.Arm(data);
    int rc = 0;
    {
        py::gil_scoped_release unlocked;
        rc = ZOQ_CaptureRawData(index, data);
    }
    Check(rc, "ZOQ_CaptureRawData");
    ImageLayout layout{width, height, 1, frameWidth.Wide(data), true};
    return ImageView(layout, data, buffer);
}

py::array Camera::CaptureRgb() {
    const int index = Use();
    int width = 0, height = 0, bits = 0;
    Check(ZOQ_CaptureGetSizeEx(index, &width, &height, &bits), "ZOQ_CaptureGetSizeEx");
    ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    Check(ZOQ_BayerGetMode(index, &mode), "ZOQ_BayerGetMode");
    const int channels = bits / 8;
    const zoqid::FrameWidth frameWidth(index, static_cast<size_t>(width) * height * channels);
    py::array_t<uint8_t> buffer(static_cast<py::ssize_t>(frameWidth.BufferBytes()));
    unsigned char* data = buffer.mutable_data();
    // The library leaves the fourth byte of the 32-bit modes as it finds it:
    // zeros rather than whatever the fresh memory held.
    if (channels == 4) memset(data, 0, frameWidth.BufferBytes());
    frameWidth.Arm(data);
    int rc = 0;
    {
        py::gil_scoped_release unlocked;
        rc = ZOQ_CaptureRgbData(index, data);
    }
    Check(rc, "ZOQ_CaptureRgbData");
    const bool wide = frameWidth.Wide(data);
    ImageLayout layout{width, height, channels, wide, zoqid::RgbTopDown(mode, wide)};
    return ImageView(layout, data, buffer);
}

Camera::Window Camera::FieldOfView() const {
    int x = 0, y = 0, w = 0, h = 0;
    ZOQ_ADDRESSMODE cm = ZOQ_ADDRESSMODE_NORMAL, rm = ZOQ_ADDRESSMODE_NORMAL;
    Check(ZOQ_CaptureGetFieldOfView(Use(), &x, &y, &w, &h, &cm, &rm), "ZOQ_CaptureGetFieldOfView");
    return {x, y, w, h, cm, rm};
}

Camera::Window Camera::DefaultFieldOfView() const {
    int x = 0, y = 0, w = 0, h = 0;
    ZOQ_ADDRESSMODE cm = ZOQ_ADDRESSMODE_NORMAL, rm = ZOQ_ADDRESSMODE_NORMAL;
    Check(ZOQ_CaptureGetDefaultFieldOfView(Use(), &x, &y, &w, &h, &cm, &rm),
          "ZOQ_CaptureGetDefaultFieldOfView");
    return {x, y, w, h, cm, rm};
}

void Camera::SetFieldOfView(const Window& window) {
    const auto [x, y, w, h, cm, rm] = window;
    Check(ZOQ_CaptureSetFieldOfView(Use(), x, y, w, h, static_cast<ZOQ_ADDRESSMODE>(cm),
                                    static_cast<ZOQ_ADDRESSMODE>(rm)),
          "ZOQ_CaptureSetFieldOfView");
}

void Camera::SetWhiteBalance(int mode) {
    const int index = Use();
    const int rc = ZOQ_WhiteBalanceSet(index, static_cast<ZOQ_WB_MODE>(mode));
    // The software modes answer RC_NOT_SUPPORTED on a colour camera without
    // a white balance of its own although they are set and work.
    int monochrome = 0;
    ZOQ_QueryFunction(index, ZOQ_FUNC_MONOCHROME, &monochrome);
    if (rc == RC_NOT_SUPPORTED && mode >= ZOQ_WB_OFF && mode <= ZOQ_WB_SOFT_MANUAL && !monochrome)
        return;
    Check(rc, "ZOQ_WhiteBalanceSet");
}

void Camera::SetGain(int gain) {
    const int index = Use();
    for (ZOQ_PARAM param : {ZOQ_PARAM_GAIN_R, ZOQ_PARAM_GAIN_G, ZOQ_PARAM_GAIN_B})
        Check(ZOQ_SetParam(index, param, gain), "ZOQ_SetParam");
}

}  // namespace zoqpy
