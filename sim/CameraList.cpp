#include "CameraList.h"

#include "SimCamera.h"
#include "usb/Testbed.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

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

// A positive decimal number followed by exactly `unit`; 0 otherwise.
double numberWith(const std::string& text, const std::string& unit) {
    if (text.size() <= unit.size() || text.compare(text.size() - unit.size(), unit.size(), unit) != 0)
        return 0.0;
    const std::string digits = text.substr(0, text.size() - unit.size());
    if (digits.find_first_not_of("0123456789.") != std::string::npos || digits.front() == '.')
        return 0.0;
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    return end == digits.c_str() + digits.size() && value > 0.0 && value < 1e12 ? value : 0.0;
}

// One "@..." speed of an item: a bandwidth or a frame rate. False when it
// is neither.
bool applySpeed(const std::string& text, CameraConfig& config) {
    static const struct {
        const char* unit;
        double bytes;
    } kRates[] = {{"MB/s", 1e6}, {"kB/s", 1e3}, {"B/s", 1.0}};
    for (const auto& rate : kRates) {
        if (const double value = numberWith(text, rate.unit); value > 0.0) {
            config.bandwidth = value * rate.bytes;
            return true;
        }
    }
    if (const double fps = numberWith(text, "fps"); fps > 0.0) {
        config.framePeriodMs = 1000.0 / fps;
        return true;
    }
    return false;
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
        std::string item = trimmed(text.substr(start, comma - start));
        start = comma + 1;
        CameraConfig speed;
        for (std::size_t at = item.rfind('@'); at != std::string::npos; at = item.rfind('@')) {
            const std::string suffix = item.substr(at + 1);
            if (suffix == "16bit") {
                speed.wideSamples = true;
            } else if (!applySpeed(suffix, speed)) {
                error = "\"" + suffix + "\" is not a speed (e.g. 40MB/s, 500kB/s or 15fps) or 16bit";
                return false;
            }
            item.erase(at);
        }
        if (item == "all") {
            for (int type : supported) {
                CameraConfig config;
                config.deviceType = type;
                config.bandwidth = speed.bandwidth;
                config.framePeriodMs = speed.framePeriodMs;
                config.wideSamples = speed.wideSamples;
                out.push_back(config);
            }
            continue;
        }
        const std::size_t x = item.find('x');
        const unsigned type = number(item.substr(0, x), 255);
        const unsigned count = x == std::string::npos ? 1 : number(item.substr(x + 1), kMaxCameras);
        if (type == 0 || count == 0) {
            error = "\"" + item +
                    "\" is not a device type, TYPExCOUNT or all (camera list: e.g. 52,104 or 52x2)";
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
            config.bandwidth = speed.bandwidth;
            config.framePeriodMs = speed.framePeriodMs;
            config.wideSamples = speed.wideSamples;
            out.push_back(config);
        }
    }
    if (out.size() > kMaxCameras) {
        error = "at most " + std::to_string(kMaxCameras) + " cameras";
        return false;
    }
    // Serial numbers follow the list order.
    for (std::size_t i = 0; i < out.size(); ++i) out[i].serial = static_cast<uint8_t>(i + 1);
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
