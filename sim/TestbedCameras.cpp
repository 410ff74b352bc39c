// The Testbed's camera operations: cameras come from the camera model.
#include "SimCamera.h"
#include "usb/DeviceCore.h"
#include "usb/Testbed.h"

#include <cstdio>
#include <cstdlib>

namespace zoqsim {

namespace {

std::unique_ptr<CameraModel> buildCamera(const CameraConfig& config, DeviceLayout& layout) {
    std::unique_ptr<CameraModel> camera = makeCamera(config);
    if (camera == nullptr) {
        std::fprintf(stderr, "zoqsim: the camera model has no device type %d with these ids and versions\n",
                     config.deviceType);
        std::abort();
    }
    layout = cameraLayout(camera->config().idVendor, camera->config().idProduct);
    return camera;
}

}  // namespace

SimCamera& Testbed::attach(const CameraConfig& config) {
    DeviceLayout layout;
    std::unique_ptr<CameraModel> camera = buildCamera(config, layout);
    std::unique_ptr<DeviceCore> core = newCore(std::move(camera), layout);
    core->pacing.setBandwidth(config.bandwidth);
    std::lock_guard<std::mutex> guard(m_lock);
    std::unique_ptr<SimCamera> device(new SimCamera(std::move(core)));
    return static_cast<SimCamera&>(plugNew(std::move(device)));
}

void Testbed::replace(SimCamera& device, const CameraConfig& config) {
    DeviceLayout layout;
    std::unique_ptr<CameraModel> camera = buildCamera(config, layout);
    replace(device, std::move(camera), layout);
    device.setBulkBandwidth(config.bandwidth);
}

}  // namespace zoqsim
