#include "Capabilities.h"

#include <iterator>

#include "zoqapi.h"

namespace zoqcam {

namespace {

constexpr const char* kFunctionNames[kFunctionCount] = {
    "monochrome",
    "lut-input-bits",
    "mirror",
    "flip",
    "address-mode-1",
    "address-mode-2",
    "address-mode-3",
    "address-mode-4",
    "model-flag-8",
    "model-flag-9",
    "model-flag-10",
    "trigger-mode-1",
    "trigger-mode-2",
    "trigger-mode-3",
    "reserved-14",
    "fixed-frame-rate",
    "lut-switch",
    "trigger-method-0",
    "trigger-method-1",
    "trigger-method-2",
    "trigger-method-3",
    "empty-frame-buffer",
    "sensitivity-mode",
    "16-bit-transfer",
    "hw-bad-pixels",
    "lut-download",
    "wb-presets",
    "model-number-27",
    "hw-wb-once",
    "hw-wb-continuous",
    "ccm-presets",
    "model-number-31",
    "gamma-lut-switch",
    "gamma-lut-download",
    "trigger-delay",
    "multi-frame",
    "hw-wb-gains",
    "hw-ccm-matrix",
    "model-regs-29-30",
    "model-reg-31",
    "model-reg-34",
    "trigger-status",
    "model-flag-42",
    "model-flag-43",
    "model-flag-44",
    "model-flag-45",
    "eeprom-working-mode",
    "eeprom-serial-desc",
    "eeprom-lut-info",
    "model-flag-49",
    "eeprom-working-mode-ex",
    "eeprom-colour-mode",
    "eeprom-matrices",
    "selector-flag",
    "selector-number",
};

constexpr ParamName kParams[] = {
    {ZOQ_PARAM_EXPOSURE_TIME, "exposure-time", "ms"},
    {ZOQ_PARAM_GAIN_R, "gain-red", ""},
    {ZOQ_PARAM_GAIN_G, "gain-green", ""},
    {ZOQ_PARAM_GAIN_B, "gain-blue", ""},
    {ZOQ_PARAM_FLIP, "flip", ""},
    {ZOQ_PARAM_MIRROR, "mirror", ""},
    {ZOQ_PARAM_EXPOSURE_LINES, "exposure-lines", "lines"},
};

}  // namespace

const char* FunctionName(int function) {
    return function >= 0 && function < kFunctionCount ? kFunctionNames[function] : nullptr;
}

bool Has(int index, int function) {
    int value = 0;
    return ZOQ_QueryFunction(index, static_cast<ZOQ_FUNCTION>(function), &value) == RC_SUCCESS &&
           value != 0;
}

bool IsMonochrome(int index) {
    return Has(index, ZOQ_FUNC_MONOCHROME);
}

const ParamName* Params() {
    return kParams;
}
int ParamCount() {
    return static_cast<int>(std::size(kParams));
}

}  // namespace zoqcam
