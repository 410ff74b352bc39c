/* CZOQCamSensor: construction, the sensor register cache, its write rule
 * with the follow-ups, and the write-back after a recovery. */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "ZoqOut.h"


CZOQCamSensor::CZOQCamSensor(IZOQDevice* device, const ZOQCapabilityTable& capability,
                             const ZOQSensorLayout& layout)
    : CZOQCam(device, capability),
      m_Layout(layout),
      m_SensorRegs(layout.cached),
      m_fRequestedExposureTime(0.0f),
      m_fExposureTime(0.0f) {}

int CZOQCamSensor::Sensor_RdRelatedRegValue() {
    if (!m_pDevice) return RC_FAIL;
    m_SensorRegs.Clear();
    int rc = RC_SUCCESS;
    for (unsigned short reg : m_Layout.cached) {
        rc = ReadIntoCache(reg);
        if (rc != RC_SUCCESS) break;
    }
    // The derived sizes and times follow whatever the cache now holds, also
    // after a failed read.
    Sensor_UpdateSensorWidth();
    Sensor_UpdateSensorHeight();
    Sensor_UpdateExposureTime();
    m_fRequestedExposureTime = m_fExposureTime = Sensor_GetExposureTime();
    return rc;
}

int CZOQCamSensor::ReadIntoCache(unsigned short reg) {
    if (!m_pDevice) return RC_FAIL;
    unsigned int value = 0;
    int rc = m_pDevice->RdSensor(reg, &value);
    unsigned short* shadow = m_SensorRegs.Find(reg);
    if (rc == RC_SUCCESS && shadow) *shadow = static_cast<unsigned short>(value);
    return rc;
}

int CZOQCamSensor::Sensor_WrRelatedRegValue(unsigned short reg, unsigned short value,
                                            bool* written) {
    unsigned short* shadow = m_SensorRegs.Find(reg);
    if (shadow && *shadow == value) return RC_SUCCESS;
    if (!m_pDevice) return RC_FAIL;
    int rc = m_pDevice->WrSensor(reg, value);
    if (rc != RC_SUCCESS) return rc;
    zoq::Put(written, true);
    if (!shadow) return RC_SUCCESS;
    *shadow = value;
    return RunFollowUp(reg, value);
}

int CZOQCamSensor::RunFollowUp(unsigned short reg, unsigned short value) {
    const ZOQGainMirror& mirror = m_Layout.gain.mirror;
    if (mirror.reg != 0 && reg == mirror.reg) {
        for (unsigned short copy : mirror.copies) {
            unsigned short* shadow = copy ? m_SensorRegs.Find(copy) : nullptr;
            if (shadow) *shadow = value;
        }
    }
    // The register itself is written; a failed re-timing of the exposure is
    // still reported to the caller.
    int rc = RC_SUCCESS;
    if (m_Layout.retime.Contains(reg)) rc = Sensor_SyncExposureLines();
    // The derived values the chip ties to this register (all of them unless
    // the layout says otherwise: recomputing is cheap and writes nothing).
    unsigned char derived = m_Layout.derived.Of(reg);
    if (derived & DERIVED_EXPOSURE_TIME) Sensor_UpdateExposureTime();
    if (derived & DERIVED_WIDTH) Sensor_UpdateSensorWidth();
    if (derived & DERIVED_HEIGHT) Sensor_UpdateSensorHeight();
    return rc;
}

int CZOQCamSensor::Sensor_RecoverRelatedRegValue() {
    if (!m_pDevice) return RC_FAIL;
    // A global gain that the chip copies into the colour gains is not
    // rewritten: the colour gains carry it, and its write would undo them.
    unsigned short global = m_Layout.gain.mirror.reg;
    for (unsigned short reg : m_Layout.cached) {
        if (global != 0 && reg == global) continue;
        int rc = m_pDevice->WrSensor(reg, Reg(reg));
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

int CZOQCamSensor::WriteBits(unsigned short reg, unsigned short mask, bool on) {
    return WriteMasked(reg, mask, on ? mask : 0);
}

int CZOQCamSensor::WriteMasked(unsigned short reg, unsigned short mask, unsigned short value) {
    return WriteReg(reg, static_cast<unsigned short>((Reg(reg) & ~mask) | (value & mask)));
}
