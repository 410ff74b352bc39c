/* CZOQCamSony: the strobe through the pulse registers (IMX287, IMX174 and
 * IMX249); chips without them answer as their layout says. */
#include "sony/ZOQCam_Imp_Sony.h"
#include "ZoqOut.h"


namespace {
enum : unsigned short {
    STROBE_ENABLE_BITS = 0x03,  // enable register, bits 0-1
    STROBE_MODE_FIELD = 0x07,   // mode register, bits 0-2 (3-7 kept)
    STROBE_MODE_ON = 0x01,
    STROBE_OUTPUT_ON = 0x02,      // output register, bit 1
    STROBE_OUTPUT_INVERT = 0x04,  // output register, bit 2
};
}  // namespace

int CZOQCamSony::Sensor_EnableFlash(bool on) {
    const ZOQSonyPulseStrobe& strobe = m_Sony.strobe;
    if (!strobe.enable) return CZOQCamSensor::Sensor_EnableFlash(on);
    int rc = WriteBits(strobe.enable, STROBE_ENABLE_BITS, on);
    if (rc != RC_SUCCESS) return rc;
    rc = WriteMasked(strobe.mode, STROBE_MODE_FIELD, on ? STROBE_MODE_ON : 0);
    if (rc != RC_SUCCESS) return rc;
    return WriteBits(strobe.output, STROBE_OUTPUT_ON, on);
}

int CZOQCamSony::Sensor_IsFlashEnable(bool* on) {
    const ZOQSonyPulseStrobe& strobe = m_Sony.strobe;
    if (!strobe.enable) return CZOQCamSensor::Sensor_IsFlashEnable(on);
    zoq::Put(on, (Reg(strobe.enable) & STROBE_ENABLE_BITS) == STROBE_ENABLE_BITS &&
                        (Reg(strobe.mode) & strobe.modeCheck) == STROBE_MODE_ON &&
                        (Reg(strobe.output) & STROBE_OUTPUT_ON));
    return RC_SUCCESS;
}

int CZOQCamSony::Sensor_InvertFlash(bool invert) {
    const ZOQSonyPulseStrobe& strobe = m_Sony.strobe;
    if (!strobe.enable) return CZOQCamSensor::Sensor_InvertFlash(invert);
    return WriteBits(strobe.output, STROBE_OUTPUT_INVERT, invert);
}

int CZOQCamSony::Sensor_IsFlashInvert(bool* invert) {
    const ZOQSonyPulseStrobe& strobe = m_Sony.strobe;
    if (!strobe.enable) return CZOQCamSensor::Sensor_IsFlashInvert(invert);
    zoq::Put(invert, Reg(strobe.output) & STROBE_OUTPUT_INVERT);
    return RC_SUCCESS;
}
