// Settings of the library's image pipeline before colour: what a frame is,
// demosaicing, bad pixels, tone tables (software and the camera's), flat
// field and the calibration map.
#include "settings/SettingHelpers.h"

namespace zoqcam::table {

namespace {

constexpr const char* kValue[] = {"value", nullptr};
constexpr const char* kFrames[] = {"frame count", nullptr};
constexpr const char* kWindow[] = {"x", "y", "width", "height", "address mode", nullptr};
constexpr const char* kThresholds[] = {"low threshold", "high threshold", nullptr};

constexpr Choice kOutputs[] = {{"raw", static_cast<int>(Output::Raw), kNone},
                               {"gray", static_cast<int>(Output::Gray), kNone},
                               {"bgr24", static_cast<int>(Output::Bgr24), kNone},
                               {"bgr32", static_cast<int>(Output::Bgr32), kNone},
                               {nullptr, 0, kNone}};
constexpr Choice kRowOrders[] = {
    {"bottom-up", 0, kNone}, {"top-down", 1, kNone}, {nullptr, 0, kNone}};
constexpr Choice kDemosaic[] = {{"nearest", ZOQ_FILTER_NEAREST_NEIGHBOR, kNone},
                                {"bilinear", ZOQ_FILTER_BILINEAR, kNone},
                                {"smooth-hue", ZOQ_FILTER_SMOOTH_HUE, kNone},
                                {"edge-sensing", ZOQ_FILTER_EDGE_SENSING, kNone},
                                {"laplacian", ZOQ_FILTER_LAPLACIAN, kNone},
                                {"fast-bilinear", ZOQ_FILTER_FAST_BILINEAR, kNone},
                                {nullptr, 0, kNone}};
constexpr int kBadPixelsOff = -1;
constexpr Choice kBadPixels[] = {{"off", kBadPixelsOff, kNone},
                                 {"low", ZOQ_THRESHOLD_LOW, kNone},
                                 {"high", ZOQ_THRESHOLD_HIGH, kNone},
                                 {nullptr, 0, kNone}};
constexpr Choice kMapModes[] = {{"nearest", ZOQ_MAPMODE_NEAREST, kNone},
                                {"bilinear", ZOQ_MAPMODE_BILINEAR, kNone},
                                {nullptr, 0, kNone}};

constexpr char kLutFile[] = "lut-file";
constexpr char kGammaLutFile[] = "gamma-lut-file";
constexpr char kFlatFieldFile[] = "ffc-load";
constexpr char kCalibrationMap[] = "calib-map";

// ---- Output ----

int BayerMode(int index) {
    ZOQ_BAYERMODE mode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    ZOQ_BayerGetMode(index, &mode);
    return mode;
}

int SetOutput(Session& s, const Value& v) {
    s.output = static_cast<Output>(I(v));
    return ComposeBayerMode(s);
}

int GetOutput(const Session& s, Value* v) {
    const int mode = BayerMode(s.index);
    const Output output = s.output == Output::Raw                ? Output::Raw
                          : mode >= ZOQ_BAYER_BGGR_GRAY_BOTTOMUP ? Output::Gray
                          : mode >= ZOQ_BAYER_BGGR_32_BOTTOMUP   ? Output::Bgr32
                                                                 : Output::Bgr24;
    return Put(v, {double(static_cast<int>(output))});
}

int SetRowOrder(Session& s, const Value& v) {
    s.topDown = I(v) != 0;
    return ComposeBayerMode(s);
}

int GetRowOrder(const Session& s, Value* v) {
    return Put(v, {double((BayerMode(s.index) >> 2) & 1)});
}

// ---- Bad pixels ----

int SetBadPixels(Session& s, const Value& v) {
    const bool on = I(v) != kBadPixelsOff;
    return ZOQ_BadPixelCorrectionSet(s.index, on, static_cast<ZOQ_THRESHOLD>(on ? I(v) : 0));
}

int GetBadPixels(const Session& s, Value* v) {
    bool on = false;
    ZOQ_THRESHOLD level{};
    const int rc = ZOQ_BadPixelCorrectionGet(s.index, &on, &level);
    return Put(v, {on ? double(level) : double(kBadPixelsOff)}, rc);
}

int SetThresholds(Session& s, const Value& v) {
    return ZOQ_BadPixelCorrectionSetThreshold(s.index, static_cast<unsigned char>(I(v, 0)),
                                              static_cast<unsigned char>(I(v, 1)));
}

int GetThresholds(const Session& s, Value* v) {
    unsigned char low = 0, high = 0;
    const int rc = ZOQ_BadPixelCorrectionGetThreshold(s.index, &low, &high);
    return Put(v, {double(low), double(high)}, rc);
}

int ThresholdRange(const Session&, std::vector<Bound>* b) {
    *b = {{0, 255}, {0, 255}};
    return RC_SUCCESS;
}

// ---- Flat field ----

int SetFlatFieldWindow(Session& s, const Value& v) {
    const auto mode = static_cast<ZOQ_ADDRESSMODE>(v.numbers.size() > 4 ? I(v, 4) : 0);
    return ZOQ_SetFlatFieldCorrectionFieldOfView(s.index, I(v, 0), I(v, 1), I(v, 2), I(v, 3), mode,
                                                 mode, 1);
}

int GetFlatFieldWindow(const Session& s, Value* v) {
    int cs = 0, rs = 0, cz = 0, rz = 0;
    ZOQ_ADDRESSMODE cm{}, rm{};
    unsigned short frames = 0;
    const int rc =
        ZOQ_GetFlatFieldCorrectionFieldOfView(s.index, &cs, &rs, &cz, &rz, &cm, &rm, &frames);
    if (cz <= 0 || rz <= 0) return kNothingToRead;
    return Put(v, {double(cs), double(rs), double(cz), double(rz), double(cm)}, rc);
}

// Dark and flat frames without a window of their own are made for the
// capture window.
int EnsureFlatFieldWindow(Session& s) {
    Value window;
    if (GetFlatFieldWindow(s, &window) == RC_SUCCESS) return RC_SUCCESS;
    int cs = 0, rs = 0, cz = 0, rz = 0;
    ZOQ_ADDRESSMODE cm{}, rm{};
    const int rc = ZOQ_CaptureGetFieldOfView(s.index, &cs, &rs, &cz, &rz, &cm, &rm);
    if (rc != RC_SUCCESS) return rc;
    return ZOQ_SetFlatFieldCorrectionFieldOfView(s.index, cs, rs, cz, rz, cm, rm, 1);
}

int MakeDark(Session& s, const Value& v) {
    const int rc = EnsureFlatFieldWindow(s);
    return rc != RC_SUCCESS ? rc : ZOQ_MakeDarkFrame(s.index, I(v));
}

int MakeFlat(Session& s, const Value& v) {
    const int rc = EnsureFlatFieldWindow(s);
    return rc != RC_SUCCESS ? rc : ZOQ_MakeFlatFieldFrame(s.index, I(v));
}

int LoadFlatField(int index, const char* path) {
    return ZOQ_LoadFlatFieldCorrection(index, const_cast<char*>(path));
}

int SaveFlatField(Session& s, const Value& v) {
    return ZOQ_SaveFlatFieldCorrection(s.index, const_cast<char*>(v.text.c_str()));
}

}  // namespace

// clang-format off
const std::vector<Setting> kPipelineSettings = {
    {"output", "output", "raw|gray|bgr24|bgr32",
     "what a frame is: the sensor's raw data, or 8-bit gray, 24- or 32-bit BGR pixels",
     Kind::Choice, nullptr, 0, false, kOutputs, "", kNone, false, true,
     nullptr, nullptr, SetOutput, GetOutput},
    {"row-order", "output", "bottom-up|top-down",
     "row order of gray and BGR frames in memory and in raw files",
     Kind::Choice, nullptr, 0, false, kRowOrders, "", kNone, false, true,
     nullptr, nullptr, SetRowOrder, GetRowOrder},
    {"demosaic", "output", "nearest|bilinear|smooth-hue|edge-sensing|laplacian|fast-bilinear",
     "how colour frames are demosaiced",
     Kind::Choice, nullptr, 0, false, kDemosaic, "", kNone, false, true,
     nullptr, nullptr, SetEnum<ZOQ_FILTERMODE, ZOQ_FilterSetMode>,
     GetEnum<ZOQ_FILTERMODE, ZOQ_FilterGetMode>},

    {"bad-pixels", "bad pixels", "off|low|high", "software correction of isolated bright pixels",
     Kind::Choice, nullptr, 0, false, kBadPixels, "", kNone, false, true,
     nullptr, nullptr, SetBadPixels, GetBadPixels},
    {"bad-pixel-thresholds", "bad pixels", "LOW,HIGH",
     "how much brighter than its neighbours 2 and 4 pixels away a pixel must be (12,24)",
     Kind::Number, kThresholds, 2, true, nullptr, "", kNone, false, true,
     ThresholdRange, nullptr, SetThresholds, GetThresholds},

    {"gamma", "tone", "N", "software gamma: negative darker, positive brighter",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     IntRange<ZOQ_GammaGetRange>, nullptr, SetInt<ZOQ_GammaSetValue>, GetInt<ZOQ_GammaGetValue>},
    {"contrast", "tone", "N", "software contrast around mid gray",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     IntRange<ZOQ_ProcessContrastGetRange>, nullptr, SetInt<ZOQ_ProcessContrastSet>,
     GetInt<ZOQ_ProcessContrastGet>},
    {"brightness", "tone", "N", "software brightness (a gain: -128 black, 127 about twice)",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     IntRange<ZOQ_ProcessBrightnessGetRange>, nullptr, SetInt<ZOQ_ProcessBrightnessSet>,
     GetInt<ZOQ_ProcessBrightnessGet>},
    {"lut-file", "tone", "FILE", "download a look-up table file into the camera",
     Kind::File, nullptr, 0, false, nullptr, "", ZOQ_FUNC_LUT_DOWNLOAD, false, true,
     nullptr, nullptr, LoadFile<kLutFile, ZOQ_LutFileDownload>, FileInUse<kLutFile>},
    {"lut", "tone", "on|off", "the camera's look-up table",
     Kind::Switch, nullptr, 0, false, nullptr, "", ZOQ_FUNC_LUT_SWITCH, false, true,
     nullptr, nullptr, SetSwitch<ZOQ_LutSetEnable>, GetSwitch<ZOQ_LutGetEnable>},
    {"gamma-lut-file", "tone", "FILE", "download a gamma table file into the camera",
     Kind::File, nullptr, 0, false, nullptr, "", ZOQ_FUNC_GAMMA_LUT_DOWNLOAD, false, true,
     nullptr, nullptr, LoadFile<kGammaLutFile, ZOQ_GammaLutFileDownload>,
     FileInUse<kGammaLutFile>},
    {"gamma-lut", "tone", "on|off", "the camera's gamma table",
     Kind::Switch, nullptr, 0, false, nullptr, "", ZOQ_FUNC_GAMMA_LUT_SWITCH, false, true,
     nullptr, nullptr, SetSwitch<ZOQ_GammaLutSetEnable>, GetSwitch<ZOQ_GammaLutGetEnable>},

    {"ffc-window", "flat field", "x,y,w,h[,mode]",
     "the window the dark and flat frames are made for (default: the capture window)",
     Kind::Number, kWindow, 4, true, nullptr, "", kNone, false, true,
     SensorWindow, FitsSensor, SetFlatFieldWindow, GetFlatFieldWindow},
    {"ffc-load", "flat field", "FILE", "load a dark frame and gains saved with --ffc-save",
     Kind::File, nullptr, 0, false, nullptr, "", kNone, false, true,
     nullptr, nullptr, LoadFile<kFlatFieldFile, LoadFlatField>, FileInUse<kFlatFieldFile>},
    {"make-dark", "flat field", "N", "average N frames into the dark frame (cover the lens)",
     Kind::Number, kFrames, 1, true, nullptr, "frames", kNone, false, false,
     Between<1, 1000>, nullptr, MakeDark, nullptr},
    {"make-flat", "flat field", "N", "average N frames into the flat frame (an even, bright view)",
     Kind::Number, kFrames, 1, true, nullptr, "frames", kNone, false, false,
     Between<1, 1000>, nullptr, MakeFlat, nullptr},
    {"ffc", "flat field", "on|off", "flat-field correction of captures",
     Kind::Switch, nullptr, 0, false, nullptr, "", kNone, false, true,
     nullptr, nullptr, SetSwitch<ZOQ_CaptureSetFlatFieldCorrection>,
     GetSwitch<ZOQ_CaptureGetFlatFieldCorrection>},
    {"ffc-save", "flat field", "FILE", "save the dark frame and gains for --ffc-load",
     Kind::File, nullptr, 0, false, nullptr, "", kNone, false, false,
     nullptr, nullptr, SaveFlatField, nullptr},

    {"calib-map", "calibration map", "FILE", "load a calibration map file (geometric correction)",
     Kind::File, nullptr, 0, false, nullptr, "", kNone, false, true,
     nullptr, nullptr, LoadFile<kCalibrationMap, ZOQ_LoadCalibrationMapFile>,
     FileInUse<kCalibrationMap>},
    {"calib-mode", "calibration map", "nearest|bilinear", "sampling of the calibration remap",
     Kind::Choice, nullptr, 0, false, kMapModes, "", kNone, false, true,
     nullptr, nullptr, SetEnum<ZOQ_MAPMODE, ZOQ_SetCalibrationMapMode>,
     GetEnum<ZOQ_MAPMODE, ZOQ_GetCalibrationMapMode>},
    {"calib", "calibration map", "on|off", "the calibration remap of captures",
     Kind::Switch, nullptr, 0, false, nullptr, "", kNone, false, true,
     nullptr, nullptr, SetSwitch<ZOQ_CaptureSetCalibration>, GetSwitch<ZOQ_CaptureGetCalibration>},
};
// clang-format on

}  // namespace zoqcam::table
