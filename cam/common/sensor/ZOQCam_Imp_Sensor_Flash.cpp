/* CZOQCamSensor: the strobe output. Chips with enable and invert bits
 * program them; others accept the calls without effect or refuse them. */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "ZoqOut.h"


namespace {

// How a chip without strobe bits answers: accepted without effect (the
// getters leave their output), or refused with -3 (the getters report off).
int WithoutStrobeBits(ZOQStrobe strobe, bool* output) {
    if (strobe == ZOQStrobe::NotSupported) {
        zoq::Put(output, false);
        return RC_NOT_SUPPORTED;
    }
    return RC_SUCCESS;  // accepted, output left as it was
}

}  // namespace

int CZOQCamSensor::Sensor_EnableFlash(bool on) {
    if (m_Layout.strobe != ZOQStrobe::Bits) return WithoutStrobeBits(m_Layout.strobe, nullptr);
    return SetRegisterBit(m_Layout.strobeEnable, on);
}

int CZOQCamSensor::Sensor_IsFlashEnable(bool* on) {
    if (m_Layout.strobe != ZOQStrobe::Bits) return WithoutStrobeBits(m_Layout.strobe, on);
    zoq::Put(on, RegisterBitIsOn(m_Layout.strobeEnable));
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_InvertFlash(bool invert) {
    if (m_Layout.strobe != ZOQStrobe::Bits) return WithoutStrobeBits(m_Layout.strobe, nullptr);
    return SetRegisterBit(m_Layout.strobeInvert, invert);
}

int CZOQCamSensor::Sensor_IsFlashInvert(bool* invert) {
    if (m_Layout.strobe != ZOQStrobe::Bits) return WithoutStrobeBits(m_Layout.strobe, invert);
    zoq::Put(invert, RegisterBitIsOn(m_Layout.strobeInvert));
    return RC_SUCCESS;
}
