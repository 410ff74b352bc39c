// Building blocks of the settings table: value access, ranges and the
// usual shapes of an API setter and getter, so that most rows of the table
// name one of these instead of code of their own.
#pragma once

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "zoqapi.h"

namespace zoqcam::table {

using Value = SettingValue;

constexpr int kNone = -1;  // no capability needed

inline int I(const Value& v, size_t i = 0) {
    return static_cast<int>(v.numbers[i]);
}
inline float F(const Value& v, size_t i = 0) {
    return static_cast<float>(v.numbers[i]);
}
inline bool On(const Value& v) {
    return v.numbers[0] != 0;
}

// Stores a value read back and passes the getter's code on.
inline int Put(Value* v, std::vector<double> numbers, int rc = RC_SUCCESS) {
    v->numbers = std::move(numbers);
    return rc;
}

template <int Min, int Max>
int Between(const Session&, std::vector<Bound>* b) {
    *b = {{double(Min), double(Max)}};
    return RC_SUCCESS;
}

// ---- Numbered parameters ----

template <ZOQ_PARAM P>
int ParamRange(const Session& s, std::vector<Bound>* b) {
    int lo = 0, hi = 0;
    const int rc = ZOQ_GetParamRange(s.index, P, &lo, &hi);
    *b = {{double(lo), double(hi)}};
    return rc;
}

template <ZOQ_PARAM P>
int SetParam(Session& s, const Value& v) {
    return ZOQ_SetParam(s.index, P, I(v));
}

template <ZOQ_PARAM P>
int GetParam(const Session& s, Value* v) {
    int x = 0;
    const int rc = ZOQ_GetParam(s.index, P, &x);
    // Flip and mirror fill only the first byte.
    if (P == ZOQ_PARAM_FLIP || P == ZOQ_PARAM_MIRROR) x = (x & 0xFF) != 0;
    return Put(v, {double(x)}, rc);
}

// ---- Plain setters and getters ----

template <int (*Range)(int, int*, int*)>
int IntRange(const Session& s, std::vector<Bound>* b) {
    int lo = 0, hi = 0;
    const int rc = Range(s.index, &lo, &hi);
    *b = {{double(lo), double(hi)}};
    return rc;
}

template <int (*Set)(int, int)>
int SetInt(Session& s, const Value& v) {
    return Set(s.index, I(v));
}

template <int (*Get)(int, int*)>
int GetInt(const Session& s, Value* v) {
    int x = 0;
    const int rc = Get(s.index, &x);
    return Put(v, {double(x)}, rc);
}

// An enumeration passed as its number.
template <typename E, int (*Set)(int, E)>
int SetEnum(Session& s, const Value& v) {
    return Set(s.index, static_cast<E>(I(v)));
}

template <typename E, int (*Get)(int, E*)>
int GetEnum(const Session& s, Value* v) {
    E x{};
    const int rc = Get(s.index, &x);
    return Put(v, {double(x)}, rc);
}

template <int (*Set)(int, bool)>
int SetSwitch(Session& s, const Value& v) {
    return Set(s.index, On(v));
}

template <int (*Get)(int, bool*)>
int GetSwitch(const Session& s, Value* v) {
    bool on = false;
    const int rc = Get(s.index, &on);
    return Put(v, {on ? 1.0 : 0.0}, rc);
}

// ---- Data files: loaded by the API, remembered so that a saved setup
// names them again ----

template <const char* Name, int (*Load)(int, const char*)>
int LoadFile(Session& s, const Value& v) {
    const int rc = Load(s.index, v.text.c_str());
    if (rc == RC_SUCCESS) s.files[Name] = v.text;
    return rc;
}

template <const char* Name>
int FileInUse(const Session& s, Value* v) {
    const auto it = s.files.find(Name);
    if (it == s.files.end()) return kNothingToRead;
    v->text = it->second;
    return RC_SUCCESS;
}

// ---- Windows and regions ----

// x, y, width, height and address mode on the whole sensor.
int SensorWindow(const Session& s, std::vector<Bound>* b);
// A window must end inside the sensor, and an address mode needs its
// capability.
std::string FitsSensor(const Session& s, const Value& v);
// x, y inside the captured image; sizes up to the sensor's, since the
// library fits a region to the frame before each measurement and keeps the
// whole sensor's when the window shrinks.
int ImageRegion(const Session& s, std::vector<Bound>* b);

// The parts of the table, in the order they are applied.
extern const std::vector<Setting> kCameraSettings;        // CameraSettings.cpp
extern const std::vector<Setting> kPipelineSettings;      // PipelineSettings.cpp
extern const std::vector<Setting> kColourSettings;        // ColourSettings.cpp
extern const std::vector<Setting> kAutoExposureSettings;  // AutoExposureSettings.cpp

}  // namespace zoqcam::table
