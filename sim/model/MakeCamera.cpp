// Building a camera from a config: defaults filled in, the config checked.
#include <algorithm>

#include "CameraImpl.h"
#include "UsbIds.h"

namespace zoqsim {
namespace {

bool validVersion(int version) { return version >= 0 && version <= 0xFFFF; }

bool validScene(const SceneOptions& s) {
    return s.noise >= 0.0 && s.blur >= 0.0 && s.vignetting >= 0.0 && s.vignetting <= 1.0 &&
           s.fullScaleMs > 0.0;
}

// Limits of speed: none (0) or a finite positive number.
bool validPace(double value) { return value >= 0.0 && value <= 1e15; }

}  // namespace

std::unique_ptr<CameraModel> makeCamera(const CameraConfig& requested) {
    const ModelInfo* model = findModel(requested.deviceType, requested.variant);
    if (model == nullptr) return nullptr;
    CameraConfig config = requested;
    if (config.idVendor == 0 && config.idProduct == 0) {
        config.idVendor = model->idVendor;
        config.idProduct = model->idProduct;
    }
    if (config.firmwareVersion == -1) config.firmwareVersion = model->firmware;
    if (config.fpgaVersion == -1) config.fpgaVersion = model->fpga;
    if (!isCameraUsbId(config.idVendor, config.idProduct) || !validVersion(config.firmwareVersion) ||
        !validVersion(config.fpgaVersion) || !validScene(config.scene) ||
        !validPace(config.bandwidth) || !validPace(config.framePeriodMs))
        return nullptr;
    return std::make_unique<CameraImpl>(config, *model);
}

std::vector<int> supportedDeviceTypes() {
    const ModelList models = allModels();
    std::vector<int> types;
    for (std::size_t i = 0; i < models.count; ++i) types.push_back(models.items[i].deviceType);
    std::sort(types.begin(), types.end());
    types.erase(std::unique(types.begin(), types.end()), types.end());
    return types;
}

}  // namespace zoqsim
