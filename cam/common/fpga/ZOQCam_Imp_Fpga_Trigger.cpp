/* CZOQCam: trigger mode, method, status and delay, fixed frame rate and the
 * frame buffer. */
#include "fpga/ZOQCam_Imp.h"
#include "ZoqOut.h"

using namespace zoqfpga;

namespace {

constexpr float kMinFps = 0.000001f;
constexpr float kMicrosecondsPerSecond = 1000000.0f;
constexpr unsigned kPeriodUnit50us = 50;
constexpr float kMaxPeriod1us = 65535.0f;
constexpr float kMaxPeriod50us = 3276750.0f;  // 65535 units of 50 us

// Trigger-mode bits of register 0 and the capability each mode needs.
struct TriggerModeBits {
    unsigned short bits;
    int capability;  // kNoGuard: always allowed
};
constexpr TriggerModeBits kTriggerModes[] = {
    {0, kNoGuard},
    {CTL_TRIGGER_A, CAP_TRIGGER_MODE_1},
    {CTL_TRIGGER_B, CAP_TRIGGER_MODE_2},
    {CTL_TRIGGER_A | CTL_TRIGGER_B, CAP_TRIGGER_MODE_3},
};

constexpr ZOQ_CAPBIT kTriggerMethodCaps[] = {CAP_TRIGGER_METHOD_0, CAP_TRIGGER_METHOD_1,
                                             CAP_TRIGGER_METHOD_2, CAP_TRIGGER_METHOD_3};

}  // namespace

ZOQ_TRIGGERMODE CZOQCam::CachedTriggerMode() const {
    unsigned short control = m_FpgaRegs.Get(REG_CONTROL);
    int mode = ((control & CTL_TRIGGER_A) ? 1 : 0) | ((control & CTL_TRIGGER_B) ? 2 : 0);
    return static_cast<ZOQ_TRIGGERMODE>(mode);
}

int CZOQCam::Fpga_SetTriggerMode(ZOQ_TRIGGERMODE mode) {
    unsigned short bits = CTL_TRIGGER_A | CTL_TRIGGER_B;  // values outside 0..3
    if (mode >= 0 && mode <= 3) {
        const TriggerModeBits& entry = kTriggerModes[mode];
        if (entry.capability != kNoGuard && !Cap(static_cast<ZOQ_CAPBIT>(entry.capability)))
            return RC_NOT_SUPPORTED;
        bits = entry.bits;
    }
    // A mode the camera did not take is reported, not hidden.
    return UpdateFpgaBits(REG_CONTROL, CTL_TRIGGER_MASK, bits);
}

int CZOQCam::Fpga_GetTriggerMode(ZOQ_TRIGGERMODE* mode) {
    if (!mode) return RC_PARAMETER_ERROR;
    *mode = CachedTriggerMode();
    return RC_SUCCESS;
}

int CZOQCam::Fpga_SetTriggerMethod(ZOQ_TRIGGERMETHOD method) {
    if (method >= 0 && method <= 3 && !Cap(kTriggerMethodCaps[method])) return RC_NOT_SUPPORTED;
    unsigned short bits = static_cast<unsigned short>((method & 3) << CTL_METHOD_SHIFT);
    return UpdateFpgaBits(REG_CONTROL, CTL_METHOD_MASK, bits);
}

int CZOQCam::Fpga_GetTriggerMethod(ZOQ_TRIGGERMETHOD* method) {
    zoq::Put(method, static_cast<ZOQ_TRIGGERMETHOD>(
                            (m_FpgaRegs.Get(REG_CONTROL) & CTL_METHOD_MASK) >> CTL_METHOD_SHIFT));
    return RC_SUCCESS;
}

int CZOQCam::Fpga_GetTriggerStatus(ZOQ_TRIGGERSTATUS* status) {
    if (m_wFpgaVersion == 0) return RC_NOT_SUPPORTED;
    unsigned short value = 0;
    int rc = Fpga_RdReg(REG_STATUS, &value);
    if (rc == RC_SUCCESS && status)
        *status = (value & STATUS_TRIGGER_MASK) ? ZOQ_TRIGGERSTATUS_ACTIVE : ZOQ_TRIGGERSTATUS_IDLE;
    return rc;
}

int CZOQCam::Fpga_GetTriggerDelayRange(unsigned short* min, unsigned short* max) {
    bool supported = Cap(CAP_TRIGGER_DELAY);
    zoq::Put(min, 0);
    zoq::Put(max, supported ? 0xFFFF : 0);
    return supported ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

// Without the capability the device object routes its own trigger-delay
// service here, so doing nothing and succeeding ends that loop.
int CZOQCam::Fpga_SetTriggerDelay(unsigned short delay) {
    if (!Cap(CAP_TRIGGER_DELAY)) return RC_SUCCESS;
    return Fpga_WrRelatedRegValue(REG_TRIGGER_DELAY, delay, nullptr);
}

int CZOQCam::Fpga_GetTriggerDelay(unsigned short* delay) {
    if (Cap(CAP_TRIGGER_DELAY) && delay) *delay = m_FpgaRegs.Get(REG_TRIGGER_DELAY);
    return RC_SUCCESS;
}

int CZOQCam::Fpga_SetFixedFrameRateEx(float fps) {
    if (!Cap(CAP_TRIGGER_MODE_3) || !Cap(CAP_REG28_WRITE)) return RC_NOT_SUPPORTED;
    if (!(fps >= kMinFps)) return RC_PARAMETER_ERROR;
    ZOQ_TRIGGERMODE mode;
    Fpga_GetTriggerMode(&mode);
    if (mode != ZOQ_TRIGGERMODE_FIXED_FRAMERATE) return RC_ILLEGAL_OPERATION;

    float period = kMicrosecondsPerSecond / fps;
    unsigned short units;
    if (Cap(CAP_REG28_1US)) {
        if (period > kMaxPeriod1us) return RC_PARAMETER_ERROR;
        units = static_cast<unsigned short>(period);
    } else {
        if (period > kMaxPeriod50us) return RC_PARAMETER_ERROR;
        units = static_cast<unsigned short>(period / static_cast<float>(kPeriodUnit50us));
    }
    return Fpga_WrRelatedRegValue(REG_FRAME_PERIOD, units, nullptr);
}

int CZOQCam::Fpga_GetFixedFrameRateEx(float* fps) {
    if (!Cap(CAP_TRIGGER_MODE_3) || !Cap(CAP_REG28_READ)) return RC_NOT_SUPPORTED;
    ZOQ_TRIGGERMODE mode;
    Fpga_GetTriggerMode(&mode);
    if (mode != ZOQ_TRIGGERMODE_FIXED_FRAMERATE) return RC_ILLEGAL_OPERATION;
    unsigned int units = m_FpgaRegs.Get(REG_FRAME_PERIOD);
    if (units == 0) return RC_FAIL;  // a rate too fast for one unit
    unsigned int period = Cap(CAP_REG28_1US) ? units : units * kPeriodUnit50us;
    zoq::Put(fps, kMicrosecondsPerSecond / static_cast<float>(period));
    return RC_SUCCESS;
}

int CZOQCam::Fpga_EmptyFrameBuffer() {
    if (!Cap(CAP_EMPTY_FRAME_BUFFER) || CachedTriggerMode() == ZOQ_TRIGGERMODE_2)
        return RC_NOT_SUPPORTED;
    // Bit 8 acts when written and is never cached, so every call writes.
    return Fpga_WrRelatedRegValue(
        REG_CONTROL,
        static_cast<unsigned short>(m_FpgaRegs.Get(REG_CONTROL) | CTL_EMPTY_FRAME_BUFFER), nullptr);
}
