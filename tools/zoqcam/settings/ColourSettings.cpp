// Settings of the colour road: white balance, colour correction,
// saturation and hue/saturation/lightness. The library refuses white
// balance on a monochrome camera, so all of them are colour-only.
#include "settings/SettingHelpers.h"

namespace zoqcam::table {

namespace {

constexpr const char* kValue[] = {"value", nullptr};
constexpr const char* kRegion[] = {"x", "y", "width", "height", nullptr};
constexpr const char* kGains[] = {"red gain", "green gain", "blue gain", nullptr};
constexpr const char* kMatrix[] = {"m11", "m12", "m13", "m21", "m22",
                                   "m23", "m31", "m32", "m33", nullptr};
constexpr const char* kHsl[] = {"hue", "saturation", "lightness", nullptr};

constexpr Choice kWhiteBalance[] = {
    {"off", ZOQ_WB_OFF, kNone},
    {"preset", ZOQ_WB_SOFT_PRESET, kNone},
    {"once", ZOQ_WB_SOFT_AUTO_ONCE, kNone},
    {"continuous", ZOQ_WB_SOFT_AUTO_CONTINUOUS, kNone},
    {"manual", ZOQ_WB_SOFT_MANUAL, kNone},
    {"hw-preset", ZOQ_WB_HW_PRESET, ZOQ_FUNC_WB_PRESETS},
    {"hw-once", ZOQ_WB_HW_AUTO_ONCE, ZOQ_FUNC_AWB_ONCE},
    {"hw-continuous", ZOQ_WB_HW_AUTO_CONTINUOUS, ZOQ_FUNC_AWB_CONTINUOUS},
    {"hw-manual", ZOQ_WB_HW_MANUAL, ZOQ_FUNC_WB_GAINS_WRITABLE},
    {nullptr, 0, kNone}};
constexpr Choice kColourCorrection[] = {{"off", ZOQ_CCM_OFF, kNone},
                                        {"preset", ZOQ_CCM_SOFT_PRESET, kNone},
                                        {"manual", ZOQ_CCM_SOFT_MANUAL, kNone},
                                        {"hw-preset", ZOQ_CCM_HW_PRESET, ZOQ_FUNC_CCM_PRESETS},
                                        {"hw-manual", ZOQ_CCM_HW_MANUAL, ZOQ_FUNC_CCM_WRITABLE},
                                        {nullptr, 0, kNone}};

// ---- White balance ----

int WhiteBalanceMode(int index) {
    ZOQ_WB_MODE mode = ZOQ_WB_OFF;
    ZOQ_WhiteBalanceGet(index, &mode);
    return mode;
}

bool ManualWhiteBalance(int index) {
    const int mode = WhiteBalanceMode(index);
    return mode == ZOQ_WB_SOFT_MANUAL || mode == ZOQ_WB_HW_MANUAL;
}

int SetWhiteBalance(Session& s, const Value& v) {
    const int rc = ZOQ_WhiteBalanceSet(s.index, static_cast<ZOQ_WB_MODE>(I(v)));
    // Switching off the balance of a camera that has none is no failure.
    return rc == RC_NOT_SUPPORTED && I(v) == ZOQ_WB_OFF ? int(RC_SUCCESS) : rc;
}

int SetRegion(Session& s, const Value& v) {
    return ZOQ_AWBSetRegion(s.index, I(v, 0), I(v, 1), I(v, 2), I(v, 3));
}

int GetRegion(const Session& s, Value* v) {
    int x = 0, y = 0, w = 0, h = 0;
    const int rc = ZOQ_AWBGetRegion(s.index, &x, &y, &w, &h, nullptr);
    return Put(v, {double(x), double(y), double(w), double(h)}, rc);
}

int GainRange(const Session&, std::vector<Bound>* b) {
    *b = std::vector<Bound>(3, {0, 8});
    return RC_SUCCESS;
}

std::string NeedsManualBalance(const Session& s, const Value&) {
    return ManualWhiteBalance(s.index) ? "" : "needs --wb manual or --wb hw-manual";
}

int SetGains(Session& s, const Value& v) {
    float gains[3] = {F(v, 0), F(v, 1), F(v, 2)};
    return ZOQ_WhiteBalanceMatrixSet(s.index, gains);
}

int GetGains(const Session& s, Value* v) {
    if (!ManualWhiteBalance(s.index)) return kNothingToRead;
    float gains[3] = {0, 0, 0};
    const int rc = ZOQ_WhiteBalanceMatrixGet(s.index, gains);
    return Put(v, {gains[0], gains[1], gains[2]}, rc);
}

// ---- Colour correction ----

int ColourCorrectionMode(int index) {
    ZOQ_CCM_MODE mode = ZOQ_CCM_OFF;
    ZOQ_ColorCorrectionGet(index, &mode);
    return mode;
}

bool PresetCorrection(int index) {
    const int mode = ColourCorrectionMode(index);
    return mode == ZOQ_CCM_SOFT_PRESET || mode == ZOQ_CCM_HW_PRESET;
}

bool ManualCorrection(int index) {
    const int mode = ColourCorrectionMode(index);
    return mode == ZOQ_CCM_SOFT_MANUAL || mode == ZOQ_CCM_HW_MANUAL;
}

std::string NeedsPresetCorrection(const Session& s, const Value&) {
    return PresetCorrection(s.index) ? "" : "needs --ccm preset or --ccm hw-preset";
}

int GetCorrectionPreset(const Session& s, Value* v) {
    if (!PresetCorrection(s.index)) return kNothingToRead;
    return GetEnum<ZOQ_COLOR_TEMPRATURE, ZOQ_ColorCorrectionPresettingGet>(s, v);
}

int SetCorrection(Session& s, const Value& v) {
    const int rc = ZOQ_ColorCorrectionSet(s.index, static_cast<ZOQ_CCM_MODE>(I(v)));
    return rc == RC_NOT_SUPPORTED && I(v) == ZOQ_CCM_OFF ? int(RC_SUCCESS) : rc;
}

int MatrixRange(const Session&, std::vector<Bound>* b) {
    *b = std::vector<Bound>(9, {-8, 8});
    return RC_SUCCESS;
}

std::string NeedsManualCorrection(const Session& s, const Value&) {
    return ManualCorrection(s.index) ? "" : "needs --ccm manual or --ccm hw-manual";
}

int SetMatrix(Session& s, const Value& v) {
    float m[3][3];
    for (size_t i = 0; i < 9; ++i) m[i / 3][i % 3] = F(v, i);
    return ZOQ_ColorCorrectionMatrixSet(s.index, m);
}

int GetMatrix(const Session& s, Value* v) {
    if (!ManualCorrection(s.index)) return kNothingToRead;
    float m[3][3] = {};
    const int rc = ZOQ_ColorCorrectionMatrixGet(s.index, m);
    v->numbers.assign(&m[0][0], &m[0][0] + 9);
    return rc;
}

// ---- Hue, saturation and lightness of one hue range ----

int HslRange(const Session&, std::vector<Bound>* b) {
    *b = {{-180, 180}, {-100, 100}, {-100, 100}};
    return RC_SUCCESS;
}

template <ZOQHueRange Range>
int SetHsl(Session& s, const Value& v) {
    return ZOQ_HueSaturationSet(s.index, Range, I(v, 0), I(v, 1), I(v, 2));
}

template <ZOQHueRange Range>
int GetHsl(const Session& s, Value* v) {
    int hue = 0, saturation = 0, lightness = 0;
    const int rc = ZOQ_HueSaturationGet(s.index, Range, &hue, &saturation, &lightness);
    return Put(v, {double(hue), double(saturation), double(lightness)}, rc);
}

}  // namespace

// clang-format off
const std::vector<Setting> kColourSettings = {
    {"wb-preset", "white balance", "0-7", "colour temperature preset of the preset modes",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, true, true,
     Between<0, 7>, nullptr, SetEnum<ZOQ_COLOR_TEMPRATURE, ZOQ_WhiteBalancePresettingSet>,
     GetEnum<ZOQ_COLOR_TEMPRATURE, ZOQ_WhiteBalancePresettingGet>},
    {"wb-phi", "white balance", "N",
     "near-white threshold of the measurement (Y - |Cb| - |Cr| above it counts)",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, true, true,
     Between<-255, 255>, nullptr, SetInt<ZOQ_WhiteBalanceAutoSet>, GetInt<ZOQ_WhiteBalanceAutoGet>},
    {"wb-region", "white balance", "x,y,w,h",
     "region measured, in image pixels (y counted from the bottom row)",
     Kind::Number, kRegion, 4, true, nullptr, "", kNone, true, true,
     ImageRegion, nullptr, SetRegion, GetRegion},
    {"wb", "white balance", "off|preset|once|continuous|manual|hw-preset|hw-once|...",
     "white balance in software (measured on the first or on every frame) or in the camera "
     "(hw-preset, hw-once, hw-continuous, hw-manual)",
     Kind::Choice, nullptr, 0, false, kWhiteBalance, "", kNone, true, true,
     nullptr, nullptr, SetWhiteBalance, GetEnum<ZOQ_WB_MODE, ZOQ_WhiteBalanceGet>},
    {"wb-gains", "white balance", "R,G,B", "gains of the manual modes (1.0 leaves a colour alone)",
     Kind::Number, kGains, 3, false, nullptr, "", kNone, true, true,
     GainRange, NeedsManualBalance, SetGains, GetGains},

    {"ccm", "colour correction", "off|preset|manual|hw-preset|hw-manual",
     "colour correction matrix in software or in the camera",
     Kind::Choice, nullptr, 0, false, kColourCorrection, "", kNone, true, true,
     nullptr, nullptr, SetCorrection, GetEnum<ZOQ_CCM_MODE, ZOQ_ColorCorrectionGet>},
    {"ccm-preset", "colour correction", "0-7", "colour temperature preset of the preset modes",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, true, true,
     Between<0, 7>, NeedsPresetCorrection,
     SetEnum<ZOQ_COLOR_TEMPRATURE, ZOQ_ColorCorrectionPresettingSet>, GetCorrectionPreset},
    {"ccm-matrix", "colour correction", "m11,...,m33",
     "matrix of the manual modes, row by row (rows give red, green, blue)",
     Kind::Number, kMatrix, 9, false, nullptr, "", kNone, true, true,
     MatrixRange, NeedsManualCorrection, SetMatrix, GetMatrix},

    {"saturation", "saturation and HSL", "N", "colour saturation: -128 gray, 127 about double",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, true, true,
     IntRange<ZOQ_ProcessSaturationGetRange>, nullptr, SetInt<ZOQ_ProcessSaturationSet>,
     GetInt<ZOQ_ProcessSaturationGet>},
    {"hsl-master", "saturation and HSL", "H,S,L",
     "hue turn in degrees, saturation and lightness in percent, of every colour",
     Kind::Number, kHsl, 3, true, nullptr, "", kNone, true, true,
     HslRange, nullptr, SetHsl<ZOQ_HUE_MASTER>, GetHsl<ZOQ_HUE_MASTER>},
    {"hsl-red", "saturation and HSL", "H,S,L", "the same for reds (330-30 degrees)",
     Kind::Number, kHsl, 3, true, nullptr, "", kNone, true, true,
     HslRange, nullptr, SetHsl<ZOQ_HUE_RED>, GetHsl<ZOQ_HUE_RED>},
    {"hsl-yellow", "saturation and HSL", "H,S,L", "for yellows (30-90)",
     Kind::Number, kHsl, 3, true, nullptr, "", kNone, true, true,
     HslRange, nullptr, SetHsl<ZOQ_HUE_YELLOW>, GetHsl<ZOQ_HUE_YELLOW>},
    {"hsl-green", "saturation and HSL", "H,S,L", "for greens (90-150)",
     Kind::Number, kHsl, 3, true, nullptr, "", kNone, true, true,
     HslRange, nullptr, SetHsl<ZOQ_HUE_GREEN>, GetHsl<ZOQ_HUE_GREEN>},
    {"hsl-cyan", "saturation and HSL", "H,S,L", "for cyans (150-210)",
     Kind::Number, kHsl, 3, true, nullptr, "", kNone, true, true,
     HslRange, nullptr, SetHsl<ZOQ_HUE_CYAN>, GetHsl<ZOQ_HUE_CYAN>},
    {"hsl-blue", "saturation and HSL", "H,S,L", "for blues (210-270)",
     Kind::Number, kHsl, 3, true, nullptr, "", kNone, true, true,
     HslRange, nullptr, SetHsl<ZOQ_HUE_BLUE>, GetHsl<ZOQ_HUE_BLUE>},
    {"hsl-magenta", "saturation and HSL", "H,S,L", "for magentas (270-330)",
     Kind::Number, kHsl, 3, true, nullptr, "", kNone, true, true,
     HslRange, nullptr, SetHsl<ZOQ_HUE_MAGENTA>, GetHsl<ZOQ_HUE_MAGENTA>},
    {"hsl", "saturation and HSL", "on|off", "the hue/saturation/lightness adjustment above",
     Kind::Switch, nullptr, 0, false, nullptr, "", kNone, true, true,
     nullptr, nullptr, SetSwitch<ZOQ_HueSaturationSetEnable>,
     GetSwitch<ZOQ_HueSaturationGetEnable>},
};
// clang-format on

}  // namespace zoqcam::table
