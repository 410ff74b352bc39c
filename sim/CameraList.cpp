#include "CameraList.h"

#include "SimCamera.h"
#include "usb/Testbed.h"

#include <algorithm>
#include <cctype>

namespace zoqsim {

namespace {

constexpr std::size_t kMaxCameras = 255;

// A whole decimal number from 1 to `limit`, or 0.
unsigned number(const std::string& text, unsigned limit) {
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return 0;
    const unsigned long value = std::stoul(text);
    return value >= 1 && value <= limit ? static_cast<unsigned>(value) : 0;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool parseCameraList(const std::string& text, std::vector<CameraConfig>& configs, std::string& error) {
    const std::vector<int> supported = supportedDeviceTypes();
    std::vector<CameraConfig> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = trimmed(text.substr(start, comma - start));
        start = comma + 1;
        const std::size_t x = item.find('x');
        const unsigned type = number(item.substr(0, x), 255);
        const unsigned count = x == std::string::npos ? 1 : number(item.substr(x + 1), kMaxCameras);
        if (type == 0 || count == 0) {
            error = "\"" + item + "\" is not a device type or TYPExCOUNT (camera list: e.g. 52,104 or 52x2)";
            return false;
        }
        if (!std::binary_search(supported.begin(), supported.end(), static_cast<int>(type))) {
            error = "device type " + std::to_string(type) + " is not simulated";
            return false;
        }
        if (out.size() + count > kMaxCameras) {
            error = "at most " + std::to_string(kMaxCameras) + " cameras";
            return false;
        }
        for (unsigned i = 0; i < count; ++i) {
            CameraConfig config;
            config.deviceType = static_cast<int>(type);
            config.serial = static_cast<uint8_t>(out.size() + 1);
            out.push_back(config);
        }
    }
    configs = std::move(out);
    return true;
}

std::vector<SimCamera*> attachCameras(Testbed& bed, const std::vector<CameraConfig>& configs) {
    // libusb lists the newest plug-in first: attach the last one first.
    std::vector<SimCamera*> cameras(configs.size());
    for (std::size_t i = configs.size(); i-- > 0;)
        cameras[i] = &bed.attach(configs[i]);
    return cameras;
}

}  // namespace zoqsim
