/* CZOQCamMT9P031: construction and the sensor register cache. */
#include "ZOQCam_Imp_Sensor_MT9P031.h"

using namespace mt9p031;

CZOQCamMT9P031::CZOQCamMT9P031(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCam(device, capability),
      m_SensorRegs(kCachedRegisters),
      m_fRequestedExposureTime(0.0f),
      m_fExposureTime(0.0f) {
    Sensor_RdRelatedRegValue();
}

int CZOQCamMT9P031::Sensor_RdRelatedRegValue() {
    if (!m_pDevice) return RC_FAIL;
    m_SensorRegs.Clear();
    int rc = RC_SUCCESS;
    for (unsigned short reg : kCachedRegisters) {
        unsigned int value = 0;
        rc = m_pDevice->RdSensor(reg, &value);
        if (rc != RC_SUCCESS) break;
        *m_SensorRegs.Find(reg) = static_cast<unsigned short>(value);
    }
    // The derived sizes and times follow whatever the cache now holds, also
    // after a failed read.
    Sensor_UpdateSensorWidth();
    Sensor_UpdateSensorHeight();
    Sensor_UpdateExposureTime();
    m_fRequestedExposureTime = m_fExposureTime = Sensor_GetExposureTime();
    return rc;
}

int CZOQCamMT9P031::Sensor_WrRelatedRegValue(unsigned short reg, unsigned short value,
                                             bool* written) {
    unsigned short* shadow = m_SensorRegs.Find(reg);
    if (shadow && *shadow == value) return RC_SUCCESS;
    if (!m_pDevice) return RC_FAIL;
    int rc = m_pDevice->WrSensor(reg, value);
    if (rc != RC_SUCCESS) return rc;
    if (written) *written = true;
    if (!shadow) return RC_SUCCESS;
    *shadow = value;
    return RunFollowUp(reg, value);
}

int CZOQCamMT9P031::RunFollowUp(unsigned short reg, unsigned short value) {
    FollowUp followUp = FollowUp::None;
    for (const RegisterFollowUp& entry : kFollowUps)
        if (entry.reg == reg) followUp = entry.followUp;

    // The register itself is written; a failed consequence (re-timing the
    // exposure) is still reported to the caller.
    int rc = RC_SUCCESS;
    switch (followUp) {
    case FollowUp::None:
        break;
    case FollowUp::Height:
        rc = Sensor_UpdateSensorHeight();
        break;
    case FollowUp::SyncThenWidth:
        rc = Sensor_SyncExposureLines();
        Sensor_UpdateSensorWidth();
        break;
    case FollowUp::SyncThenSizes:
        rc = Sensor_SyncExposureLines();
        Sensor_UpdateSensorWidth();
        Sensor_UpdateSensorHeight();
        break;
    case FollowUp::Sync:
        rc = Sensor_SyncExposureLines();
        break;
    case FollowUp::Exposure:
        rc = Sensor_UpdateExposureTime();
        break;
    case FollowUp::SyncThenHeight:
        rc = Sensor_SyncExposureLines();
        Sensor_UpdateSensorHeight();
        break;
    case FollowUp::GlobalGain:
        for (unsigned short gainReg : kGainShadowsOfGlobal) *m_SensorRegs.Find(gainReg) = value;
        break;
    }
    return rc;
}

int CZOQCamMT9P031::Sensor_RecoverRelatedRegValue() {
    if (!m_pDevice) return RC_FAIL;
    for (unsigned short reg : kRecoverOrder) {
        int rc = m_pDevice->WrSensor(reg, Reg(reg));
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

int CZOQCamMT9P031::WriteBits(unsigned short reg, unsigned short mask, bool on) {
    unsigned short value = static_cast<unsigned short>(on ? (Reg(reg) | mask) : (Reg(reg) & ~mask));
    return Sensor_WrRelatedRegValue(reg, value, nullptr);
}
