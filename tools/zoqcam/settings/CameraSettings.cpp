// Settings that live in the camera: the capture's time-out and recovery,
// the window, exposure and gain, trigger and frame rate.
#include "Capabilities.h"
#include "settings/SettingHelpers.h"

namespace zoqcam::table {

namespace {

constexpr const char* kValue[] = {"value", nullptr};
constexpr const char* kTime[] = {"time", nullptr};
constexpr const char* kWindow[] = {"x", "y", "width", "height", "address mode", nullptr};

constexpr Choice kAddressModes[] = {{"normal", 0, kNone},
                                    {"skip2", 1, ZOQ_FUNC_ADDRESSMODE_1},
                                    {"skip3", 2, ZOQ_FUNC_ADDRESSMODE_2},
                                    {"skip4", 3, ZOQ_FUNC_ADDRESSMODE_3},
                                    {"skip8", 4, ZOQ_FUNC_ADDRESSMODE_4},
                                    {nullptr, 0, kNone}};
constexpr Choice kTriggerModes[] = {{"free-run", 0, kNone},
                                    {"external-1", 1, ZOQ_FUNC_TRIGGERMODE_1},
                                    {"external-2", 2, ZOQ_FUNC_TRIGGERMODE_2},
                                    {"fixed-rate", 3, ZOQ_FUNC_TRIGGERMODE_3},
                                    {nullptr, 0, kNone}};
constexpr Choice kTriggerMethods[] = {{"0", 0, ZOQ_FUNC_TRIGGERMETHOD_0},
                                      {"1", 1, ZOQ_FUNC_TRIGGERMETHOD_1},
                                      {"2", 2, ZOQ_FUNC_TRIGGERMETHOD_2},
                                      {"3", 3, ZOQ_FUNC_TRIGGERMETHOD_3},
                                      {nullptr, 0, kNone}};

ZOQ_ADDRESSMODE Mode(int mode) {
    return static_cast<ZOQ_ADDRESSMODE>(mode);
}

// ---- Capture ----

int SetTimeout(Session& s, const Value& v) {
    return ZOQ_CaptureSetTimeOut(s.index, static_cast<unsigned>(I(v)));
}

int GetTimeout(const Session& s, Value* v) {
    unsigned ms = 0;
    const int rc = ZOQ_CaptureGetTimeOut(s.index, &ms);
    return Put(v, {double(ms)}, rc);
}

// ---- Field of view ----

int SetWindow(Session& s, const Value& v) {
    const int mode = v.numbers.size() > 4 ? I(v, 4) : 0;
    return ZOQ_CaptureSetFieldOfView(s.index, I(v, 0), I(v, 1), I(v, 2), I(v, 3), Mode(mode),
                                     Mode(mode));
}

int GetWindow(const Session& s, Value* v) {
    int cs = 0, rs = 0, cz = 0, rz = 0;
    ZOQ_ADDRESSMODE cm{}, rm{};
    const int rc = ZOQ_CaptureGetFieldOfView(s.index, &cs, &rs, &cz, &rz, &cm, &rm);
    return Put(v, {double(cs), double(rs), double(cz), double(rz), double(cm)}, rc);
}

int SetAddressMode(Session& s, const Value& v) {
    Value window;
    const int rc = GetWindow(s, &window);
    if (rc != RC_SUCCESS) return rc;
    window.numbers[4] = v.numbers[0];
    return SetWindow(s, window);
}

int GetAddressMode(const Session& s, Value* v) {
    const int rc = GetWindow(s, v);
    v->numbers = {v->numbers[4]};
    return rc;
}

// ---- Exposure and gain ----

int SetExposure(Session& s, const Value& v) {
    return ZOQ_ExposureTimeSet(s.index, F(v));
}

int GetExposure(const Session& s, Value* v) {
    float ms = 0;
    const int rc = ZOQ_ExposureTimeGet(s.index, &ms);
    return Put(v, {ms}, rc);
}

constexpr ZOQ_PARAM kColourGains[] = {ZOQ_PARAM_GAIN_R, ZOQ_PARAM_GAIN_G, ZOQ_PARAM_GAIN_B};

int SetGain(Session& s, const Value& v) {
    for (ZOQ_PARAM gain : kColourGains) {
        const int rc = ZOQ_SetParam(s.index, gain, I(v));
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

// The common gain, while the three colours share one.
int GetGain(const Session& s, Value* v) {
    int gains[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const int rc = ZOQ_GetParam(s.index, kColourGains[i], &gains[i]);
        if (rc != RC_SUCCESS) return rc;
    }
    if (gains[0] != gains[1] || gains[1] != gains[2]) return kNothingToRead;
    return Put(v, {double(gains[0])});
}

// ---- Trigger and frame rate ----

int TriggerMode(int index) {
    ZOQ_TRIGGERMODE mode = ZOQ_TRIGGERMODE_FREERUN;
    ZOQ_TriggerModeGet(index, &mode);
    return mode;
}

int TriggerDelayRange(const Session& s, std::vector<Bound>* b) {
    unsigned short lo = 0, hi = 0;
    const int rc = ZOQ_TriggerDelayGetRange(s.index, &lo, &hi);
    *b = {{double(lo), double(hi)}};
    return rc;
}

int SetTriggerDelay(Session& s, const Value& v) {
    return ZOQ_TriggerDelaySet(s.index, static_cast<unsigned short>(I(v)));
}

int GetTriggerDelay(const Session& s, Value* v) {
    unsigned short delay = 0;
    const int rc = ZOQ_TriggerDelayGet(s.index, &delay);
    return Put(v, {double(delay)}, rc);
}

// The camera's slowest rate depends on its period unit (50 us or 1 us),
// which it does not tell; it refuses a rate below it.
int FrameRateRange(const Session&, std::vector<Bound>* b) {
    *b = {{0.31, 1000000}};
    return RC_SUCCESS;
}

std::string NeedsFixedRate(const Session& s, const Value&) {
    return TriggerMode(s.index) == ZOQ_TRIGGERMODE_FIXED_FRAMERATE ? ""
                                                                   : "needs --trigger fixed-rate";
}

int SetFrameRate(Session& s, const Value& v) {
    return ZOQ_SetFixedFrameRateEx(s.index, F(v));
}

int GetFrameRate(const Session& s, Value* v) {
    if (TriggerMode(s.index) != ZOQ_TRIGGERMODE_FIXED_FRAMERATE) return kNothingToRead;
    float fps = 0;
    const int rc = ZOQ_GetFixedFrameRateEx(s.index, &fps);
    return Put(v, {fps}, rc);
}

}  // namespace

int SensorWindow(const Session& s, std::vector<Bound>* b) {
    int cs = 0, rs = 0, width = 0, height = 0;
    ZOQ_ADDRESSMODE cm{}, rm{};
    const int rc = ZOQ_CaptureGetDefaultFieldOfView(s.index, &cs, &rs, &width, &height, &cm, &rm);
    *b = {{0, double(width - 1)},
          {0, double(height - 1)},
          {1, double(width)},
          {1, double(height)},
          {0, 4}};
    return rc;
}

std::string FitsSensor(const Session& s, const Value& v) {
    std::vector<Bound> b;
    if (SensorWindow(s, &b) != RC_SUCCESS) return "";
    const int right = I(v, 0) + I(v, 2), bottom = I(v, 1) + I(v, 3);
    if (right > b[2].max)
        return "x + width comes to " + std::to_string(right) + ", beyond " +
               std::to_string(int(b[2].max));
    if (bottom > b[3].max)
        return "y + height comes to " + std::to_string(bottom) + ", beyond " +
               std::to_string(int(b[3].max));
    const int mode = v.numbers.size() > 4 ? I(v, 4) : 0;
    if (mode > 0 && !Has(s.index, kAddressModes[mode].capability))
        return std::string("this camera has no ") + kAddressModes[mode].name + " address mode";
    return "";
}

int ImageRegion(const Session& s, std::vector<Bound>* b) {
    int width = 0, height = 0;
    int rc = ZOQ_CaptureGetSize(s.index, &width, &height);
    std::vector<Bound> sensor;
    const int sensorRc = SensorWindow(s, &sensor);
    *b = {{0, double(width - 1)}, {0, double(height - 1)}, sensor[2], sensor[3]};
    return rc != RC_SUCCESS ? rc : sensorRc;
}

// clang-format off
const std::vector<Setting> kCameraSettings = {
    {"timeout", "capture", "MS", "how long a frame read may wait (default 8000)",
     Kind::Number, kTime, 1, true, nullptr, "ms", kNone, false, true,
     Between<1, 3600000>, nullptr, SetTimeout, GetTimeout},
    {"recover", "capture", "on|off",
     "find the camera again after any failed read (not only a lost one)",
     Kind::Switch, nullptr, 0, false, nullptr, "", kNone, false, true,
     nullptr, nullptr, SetSwitch<ZOQ_CaptureSetRecover>, GetSwitch<ZOQ_CaptureGetRecover>},

    {"fov", "field of view", "x,y,w,h[,mode]",
     "sensor window in sensor pixels, address mode 0-4 (steps 1, 2, 3, 4, 8)",
     Kind::Number, kWindow, 4, true, nullptr, "", kNone, false, true,
     SensorWindow, FitsSensor, SetWindow, GetWindow},
    {"address-mode", "field of view", "normal|skip2|skip3|skip4|skip8",
     "read every pixel of the window, or every 2nd, 3rd, 4th, 8th",
     Kind::Choice, nullptr, 0, false, kAddressModes, "", kNone, false, false,
     nullptr, nullptr, SetAddressMode, GetAddressMode},
    {"flip", "field of view", "on|off", "turn the image upside down",
     Kind::Switch, nullptr, 0, false, nullptr, "", kNone, false, true,
     nullptr, nullptr, SetParam<ZOQ_PARAM_FLIP>, GetParam<ZOQ_PARAM_FLIP>},
    {"mirror", "field of view", "on|off", "mirror the image left to right",
     Kind::Switch, nullptr, 0, false, nullptr, "", kNone, false, true,
     nullptr, nullptr, SetParam<ZOQ_PARAM_MIRROR>, GetParam<ZOQ_PARAM_MIRROR>},

    {"exposure", "exposure and gain", "MS", "exposure time in milliseconds",
     Kind::Number, kTime, 1, false, nullptr, "ms", kNone, false, true,
     ParamRange<ZOQ_PARAM_EXPOSURE_TIME>, nullptr, SetExposure, GetExposure},
    {"exposure-lines", "exposure and gain", "N", "exposure time in sensor lines",
     Kind::Number, kValue, 1, true, nullptr, "lines", kNone, false, false,
     ParamRange<ZOQ_PARAM_EXPOSURE_LINES>, nullptr,
     SetParam<ZOQ_PARAM_EXPOSURE_LINES>, GetParam<ZOQ_PARAM_EXPOSURE_LINES>},
    {"gain", "exposure and gain", "N", "sensor gain of all colours (the sensor's gain steps)",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, false,
     ParamRange<ZOQ_PARAM_GAIN_R>, nullptr, SetGain, GetGain},
    {"gain-red", "exposure and gain", "N", "sensor gain of red",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     ParamRange<ZOQ_PARAM_GAIN_R>, nullptr, SetParam<ZOQ_PARAM_GAIN_R>, GetParam<ZOQ_PARAM_GAIN_R>},
    {"gain-green", "exposure and gain", "N", "sensor gain of green",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     ParamRange<ZOQ_PARAM_GAIN_G>, nullptr, SetParam<ZOQ_PARAM_GAIN_G>, GetParam<ZOQ_PARAM_GAIN_G>},
    {"gain-blue", "exposure and gain", "N", "sensor gain of blue",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     ParamRange<ZOQ_PARAM_GAIN_B>, nullptr, SetParam<ZOQ_PARAM_GAIN_B>, GetParam<ZOQ_PARAM_GAIN_B>},
    {"sensitivity", "exposure and gain", "0-7", "the camera's sensitivity mode",
     Kind::Number, kValue, 1, true, nullptr, "", ZOQ_FUNC_SENSITIVITY_MODE, false, true,
     Between<0, 7>, nullptr, SetEnum<ZOQ_SENSITIVITYMODE, ZOQ_SensitivitySetMode>,
     GetEnum<ZOQ_SENSITIVITYMODE, ZOQ_SensitivityGetMode>},

    {"trigger", "trigger", "free-run|external-1|external-2|fixed-rate",
     "how frames start: by each capture, by the camera's trigger input, or at a fixed rate",
     Kind::Choice, nullptr, 0, false, kTriggerModes, "", kNone, false, true,
     nullptr, nullptr, SetEnum<ZOQ_TRIGGERMODE, ZOQ_TriggerModeSet>,
     GetEnum<ZOQ_TRIGGERMODE, ZOQ_TriggerModeGet>},
    {"trigger-method", "trigger", "0-3", "the external trigger's method (the camera's own)",
     Kind::Choice, nullptr, 0, false, kTriggerMethods, "", kNone, false, true,
     nullptr, nullptr, SetEnum<ZOQ_TRIGGERMETHOD, ZOQ_TriggerMethodSet>,
     GetEnum<ZOQ_TRIGGERMETHOD, ZOQ_TriggerMethodGet>},
    {"trigger-delay", "trigger", "N", "delay after the external trigger, in the camera's units",
     Kind::Number, kValue, 1, true, nullptr, "", ZOQ_FUNC_TRIGGER_DELAY, false, true,
     TriggerDelayRange, nullptr, SetTriggerDelay, GetTriggerDelay},
    {"frame-rate", "trigger", "FPS",
     "frames per second of the fixed-rate trigger (the slowest is about 0.31 fps, or 15.3 on "
     "models with a microsecond period)",
     Kind::Number, kValue, 1, false, nullptr, "fps", ZOQ_FUNC_FIXED_FRAMERATE, false, true,
     FrameRateRange, NeedsFixedRate, SetFrameRate, GetFrameRate},
};
// clang-format on

}  // namespace zoqcam::table
