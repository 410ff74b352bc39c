/* CZOQCamSensor: flip and mirror, single register bits where the model
 * offers them (capability) and the chip has them (layout). */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "ZoqOut.h"


int CZOQCamSensor::SetRegisterBit(const ZOQRegisterBit& bit, bool on) {
    return WriteBits(bit.reg, bit.mask, on != bit.activeLow);
}

bool CZOQCamSensor::RegisterBitIsOn(const ZOQRegisterBit& bit) const {
    return ((Reg(bit.reg) & bit.mask) != 0) != bit.activeLow;
}

int CZOQCamSensor::SetOrientation(const ZOQRegisterBit& bit, ZOQ_CAPBIT capability, bool on) {
    if (!bit.mask || !Cap(capability)) return RC_NOT_SUPPORTED;
    return SetRegisterBit(bit, on);
}

int CZOQCamSensor::GetOrientation(const ZOQRegisterBit& bit, ZOQ_CAPBIT capability,
                                  bool* on) const {
    bool supported = bit.mask && Cap(capability);
    zoq::Put(on, supported && RegisterBitIsOn(bit));
    return supported ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCamSensor::Sensor_SetFlip(bool on) {
    return SetOrientation(m_Layout.flip, CAP_FLIP, on);
}

int CZOQCamSensor::Sensor_GetFlip(bool* on) {
    return GetOrientation(m_Layout.flip, CAP_FLIP, on);
}

int CZOQCamSensor::Sensor_SetMirror(bool on) {
    return SetOrientation(m_Layout.mirror, CAP_MIRROR, on);
}

int CZOQCamSensor::Sensor_GetMirror(bool* on) {
    return GetOrientation(m_Layout.mirror, CAP_MIRROR, on);
}
