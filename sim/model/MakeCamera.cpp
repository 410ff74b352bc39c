// Building a camera from a spec: defaults filled in, the spec checked.
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

}  // namespace

std::unique_ptr<CameraModel> makeCamera(const CameraSpec& requested) {
    const ModelInfo* model = findModel(requested.deviceType, requested.variant);
    if (model == nullptr) return nullptr;
    CameraSpec spec = requested;
    if (spec.idVendor == 0 && spec.idProduct == 0) {
        spec.idVendor = model->idVendor;
        spec.idProduct = model->idProduct;
    }
    if (spec.firmwareVersion == -1) spec.firmwareVersion = model->firmware;
    if (spec.fpgaVersion == -1) spec.fpgaVersion = model->fpga;
    if (!isCameraUsbId(spec.idVendor, spec.idProduct) || !validVersion(spec.firmwareVersion) ||
        !validVersion(spec.fpgaVersion) || !validScene(spec.scene))
        return nullptr;
    return std::make_unique<CameraImpl>(spec, *model);
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
