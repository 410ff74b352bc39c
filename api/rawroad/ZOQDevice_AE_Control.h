// Auto exposure: the settings, the measurement of a region's level and the
// controller that turns level and exposure lines into the next exposure.
// The camera is reached only through a `Lines` object handed to Evaluate
// (int Get(unsigned*), int Set(unsigned)), so the controller can be driven
// without one.
#pragma once

#include "geometry/ZOQDevice_Region.h"
#include "zoq_types.h"

class ZoqAutoExposure {
public:
    static constexpr int kTolerance = 10;  // levels either side of the target

    // ---- Settings ----
    ZoqRegion region;
    bool showRegion = false;
    float timeMin = 0.0f;  // fitted exposure-time range, milliseconds
    float timeMax = 40.0f;
    unsigned int linesMin = 0;
    unsigned int linesMax = 1000;
    int maxCount = 10;  // negative: continuous operation
    int target = 128;
    ZOQ_AE_CALLBACK callback = nullptr;
    void* callbackContext = nullptr;
    ZOQ_AE_CALLBACK_EX callbackEx = nullptr;
    void* callbackExContext = nullptr;

    // Keeps the weight of saturated samples at 1.0 or below.
    void SetPeakAveRatio(float ratio) { m_ratio = ratio < 1.0f ? ratio : 1.0f; }
    float PeakAveRatio() const { return m_ratio; }

    // A start call: frame counter and controller state from scratch.
    void Start(bool start);
    bool Running() const { return m_running; }
    int FrameCounter() const { return m_frameCounter; }
    const ZoqFittedRegion& FittedRegion() const { return m_fitted; }

    // Frame bookkeeping of the raw road: true when this frame is evaluated;
    // otherwise counts it as one of the frames skipped after a change.
    bool TakesFrame();

    // The mean level of the fitted region of a width x height frame, with
    // saturated samples weighted by the peak/average ratio.
    float MeasureLevel(const unsigned char* data, int width, int height);

    // One evaluation (DoAEEx) on a frame of at least 4 x 4 samples.
    template <typename Lines>
    ZOQ_AE_STATUS Evaluate(const unsigned char* data, int width, int height, Lines& lines);

private:
    bool MaxCountReached();
    // Status when the level is within tolerance of the target, else -1.
    int WithinTolerance(float level);
    // Steps 6 to 10 of the controller on a known line count: the status, and
    // through *next the line count to set for status 4.
    ZOQ_AE_STATUS Step(float level, unsigned int lines, unsigned int* next);
    void ResetController();
    bool Continuous() const { return maxCount < 0; }
    ZOQ_AE_STATUS Stop(ZOQ_AE_STATUS status) {
        m_running = false;
        return status;
    }

    float m_ratio = 0.0f;
    bool m_running = false;
    int m_frameCounter = 0;
    ZoqFittedRegion m_fitted;
    // Controller state.
    float m_lastRatio = 0.0f;
    int m_crossings = 0;
    int m_direction = 0;
    int m_reversals = 0;
    int m_sameDirection = 0;
};

template <typename Lines>
ZOQ_AE_STATUS ZoqAutoExposure::Evaluate(const unsigned char* data, int width, int height,
                                        Lines& lines) {
    if (MaxCountReached()) return ZOQ_AE_MAX_COUNT;
    const float level = MeasureLevel(data, width, height);
    int converged = WithinTolerance(level);
    if (converged >= 0) return static_cast<ZOQ_AE_STATUS>(converged);
    unsigned int current = 0;
    // An exposure that cannot be read cannot be moved either.
    if (lines.Get(&current) != 0)
        return Continuous() ? ZOQ_AE_CONTINUOUS_LIMIT : Stop(ZOQ_AE_LIMIT);
    unsigned int next = current;
    ZOQ_AE_STATUS status = Step(level, current, &next);
    if (status == ZOQ_AE_CHANGED) {
        lines.Set(next);
        ++m_frameCounter;
    }
    return status;
}
