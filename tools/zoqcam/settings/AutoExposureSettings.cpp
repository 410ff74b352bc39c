// Auto exposure: its target, limits and region, and the run itself, applied
// last since it goes on to change the exposure set before it (and would
// change it during the captures that make dark and flat frames).
#include "settings/SettingHelpers.h"

namespace zoqcam::table {

namespace {

constexpr const char* kValue[] = {"value", nullptr};
constexpr const char* kRegion[] = {"x", "y", "width", "height", nullptr};
constexpr const char* kMinMax[] = {"minimum", "maximum", nullptr};

constexpr int kOff = 0, kOnce = 1, kContinuous = 2;
constexpr Choice kRuns[] = {{"off", kOff, kNone},
                            {"once", kOnce, kNone},
                            {"continuous", kContinuous, kNone},
                            {nullptr, 0, kNone}};

struct Status {
    bool running = false;
    int maxCount = 0;  // negative: continuous
    int target = 0;
};

int ReadStatus(int index, Status* status) {
    return ZOQ_AEGetStatusEx(index, &status->running, &status->maxCount, &status->target);
}

int GetTarget(const Session& s, Value* v) {
    Status status;
    const int rc = ReadStatus(s.index, &status);
    return Put(v, {double(status.target)}, rc);
}

int GetMaxCount(const Session& s, Value* v) {
    Status status;
    const int rc = ReadStatus(s.index, &status);
    return status.maxCount < 0 ? kNothingToRead : Put(v, {double(status.maxCount)}, rc);
}

int ExposureRange(const Session& s, std::vector<Bound>* b) {
    const int rc = ParamRange<ZOQ_PARAM_EXPOSURE_TIME>(s, b);
    b->push_back(b->front());
    return rc;
}

std::string Ordered(const Session&, const Value& v) {
    return v.numbers[0] <= v.numbers[1] ? "" : "the minimum is above the maximum";
}

int SetRange(Session& s, const Value& v) {
    return ZOQ_AESetExposureTimeRange(s.index, F(v, 0), F(v, 1));
}

int GetRange(const Session& s, Value* v) {
    float lo = 0, hi = 0;
    const int rc = ZOQ_AEGetExposureTimeRange(s.index, &lo, &hi);
    return Put(v, {lo, hi}, rc);
}

int SetRegion(Session& s, const Value& v) {
    return ZOQ_AESetRegion(s.index, I(v, 0), I(v, 1), I(v, 2), I(v, 3));
}

int GetRegion(const Session& s, Value* v) {
    int x = 0, y = 0, w = 0, h = 0;
    const int rc = ZOQ_AEGetRegion(s.index, &x, &y, &w, &h, nullptr);
    return Put(v, {double(x), double(y), double(w), double(h)}, rc);
}

int SetPeakRatio(Session& s, const Value& v) {
    return ZOQ_AESetPeakAveRatio(s.index, F(v));
}

int GetPeakRatio(const Session& s, Value* v) {
    float ratio = 0;
    const int rc = ZOQ_AEGetPeakAveRatio(s.index, &ratio);
    return Put(v, {ratio}, rc);
}

int SetRun(Session& s, const Value& v) {
    if (I(v) == kOff) return ZOQ_AEStartEx(s.index, false);
    // The range is kept in sensor lines, worked out when it was set; a
    // window set since may have changed the line time.
    float lo = 0, hi = 0;
    ZOQ_AEGetExposureTimeRange(s.index, &lo, &hi);
    ZOQ_AESetExposureTimeRange(s.index, lo, hi);
    Status status;
    ReadStatus(s.index, &status);
    // A negative count runs for ever; a single run needs a limit.
    int count = status.maxCount;
    if (I(v) == kContinuous) count = -1;
    if (I(v) == kOnce && count < 0) count = 10;
    const int rc = ZOQ_AESetMaxCount(s.index, count);
    return rc != RC_SUCCESS ? rc : ZOQ_AEStartEx(s.index, true);
}

int GetRun(const Session& s, Value* v) {
    Status status;
    const int rc = ReadStatus(s.index, &status);
    const int run = !status.running ? kOff : status.maxCount < 0 ? kContinuous : kOnce;
    return Put(v, {double(run)}, rc);
}

}  // namespace

// clang-format off
const std::vector<Setting> kAutoExposureSettings = {
    {"ae-target", "auto exposure", "0-255",
     "mean level wanted (reached within 10, the library's tolerance)",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     Between<0, 255>, nullptr, SetInt<ZOQ_AESetTarget>, GetTarget},
    {"ae-max-count", "auto exposure", "N", "most exposure changes of a single run (default 10)",
     Kind::Number, kValue, 1, true, nullptr, "", kNone, false, true,
     Between<1, 1000>, nullptr, SetInt<ZOQ_AESetMaxCount>, GetMaxCount},
    {"ae-range", "auto exposure", "MIN,MAX", "exposure times it may choose, in milliseconds",
     Kind::Number, kMinMax, 2, false, nullptr, "ms", kNone, false, true,
     ExposureRange, Ordered, SetRange, GetRange},
    {"ae-region", "auto exposure", "x,y,w,h",
     "region measured, in image pixels (y counted from the bottom row)",
     Kind::Number, kRegion, 4, true, nullptr, "", kNone, false, true,
     ImageRegion, nullptr, SetRegion, GetRegion},
    {"ae-peak-ratio", "auto exposure", "0-1", "weight of saturated pixels in the measured level",
     Kind::Number, kValue, 1, false, nullptr, "", kNone, false, true,
     Between<0, 1>, nullptr, SetPeakRatio, GetPeakRatio},
    {"ae", "auto exposure", "off|once|continuous",
     "adjust the exposure until the level is reached (once: before the first saved frame), or "
     "all the time",
     Kind::Choice, nullptr, 0, false, kRuns, "", kNone, false, true,
     nullptr, nullptr, SetRun, GetRun},
};
// clang-format on

}  // namespace zoqcam::table
