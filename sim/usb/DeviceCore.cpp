#include "usb/DeviceCore.h"

namespace zoqsim {

void DeviceCore::configureDefault() {
    if (layout.configs.empty())
        selectConfig(0);
    else
        selectConfig(layout.configs.front().value);
}

bool DeviceCore::selectConfig(uint8_t value) {
    if (value != 0 && findConfig(layout, value) == nullptr)
        return false;
    activeConfig = value;
    const ConfigLayout* config = activeConfigLayout();
    altSettings.assign(config ? config->interfaces.size() : 0, 0);
    return true;
}

const ConfigLayout* DeviceCore::activeConfigLayout() const {
    return activeConfig == 0 ? nullptr : findConfig(layout, activeConfig);
}

const EndpointLayout* DeviceCore::findEndpoint(uint8_t address) const {
    const ConfigLayout* config = activeConfigLayout();
    if (config == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < config->interfaces.size(); ++i) {
        const auto& alts = config->interfaces[i].altSettings;
        if (altSettings[i] >= alts.size())
            continue;
        for (const EndpointLayout& ep : alts[altSettings[i]].endpoints)
            if (ep.address == address)
                return &ep;
    }
    return nullptr;
}

}  // namespace zoqsim
