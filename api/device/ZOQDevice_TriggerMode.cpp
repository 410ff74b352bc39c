// Settings that live in the camera: trigger, frame rate, sensitivity,
// exposure, flip and mirror. The camera checks its capabilities.
#include "device/ZOQDevice.h"

// Calls a camera operation, or answers -19 without a camera object.
#define ZOQ_CAMERA_CALL(call) \
    (m_pCam == nullptr ? RC_CAMERA_NOT_CREATED : m_pCam->call)

int CZOQDevice::SetTriggerMode(ZOQ_TRIGGERMODE mode) {
    return ZOQ_CAMERA_CALL(Fpga_SetTriggerMode(mode));
}
int CZOQDevice::GetTriggerMode(ZOQ_TRIGGERMODE* mode) {
    return ZOQ_CAMERA_CALL(Fpga_GetTriggerMode(mode));
}
int CZOQDevice::GetTriggerStatus(ZOQ_TRIGGERSTATUS* status) {
    return ZOQ_CAMERA_CALL(Fpga_GetTriggerStatus(status));
}
int CZOQDevice::SetTriggerMethod(ZOQ_TRIGGERMETHOD method) {
    return ZOQ_CAMERA_CALL(Fpga_SetTriggerMethod(method));
}
int CZOQDevice::GetTriggerMethod(ZOQ_TRIGGERMETHOD* method) {
    return ZOQ_CAMERA_CALL(Fpga_GetTriggerMethod(method));
}
int CZOQDevice::GetTriggerDelayRange(unsigned short* min, unsigned short* max) {
    return ZOQ_CAMERA_CALL(Fpga_GetTriggerDelayRange(min, max));
}
int CZOQDevice::SetTriggerDelay(unsigned short delay) {
    return ZOQ_CAMERA_CALL(Fpga_SetTriggerDelay(delay));
}
int CZOQDevice::GetTriggerDelay(unsigned short* delay) {
    return ZOQ_CAMERA_CALL(Fpga_GetTriggerDelay(delay));
}
int CZOQDevice::SetFixedFrameRateEx(float fps) {
    return ZOQ_CAMERA_CALL(Fpga_SetFixedFrameRateEx(fps));
}
int CZOQDevice::GetFixedFrameRateEx(float* fps) {
    return ZOQ_CAMERA_CALL(Fpga_GetFixedFrameRateEx(fps));
}
int CZOQDevice::SetSensitivityMode(ZOQ_SENSITIVITYMODE mode) {
    return ZOQ_CAMERA_CALL(Fpga_SetSensitivityMode(mode));
}
int CZOQDevice::GetSensitivityMode(ZOQ_SENSITIVITYMODE* mode) {
    return ZOQ_CAMERA_CALL(Fpga_GetSensitivityMode(mode));
}
int CZOQDevice::SetExposureTime(float ms) {
    return ZOQ_CAMERA_CALL(Sensor_SetExposureTime(ms));
}
int CZOQDevice::GetExposureTime(float* ms) {
    return ZOQ_CAMERA_CALL(Sensor_GetExposureTime(ms));
}

// Sensors that cannot flip or mirror keep the setting in a flag instead; no
// stage of the pipeline flips the image for them.
int CZOQDevice::SetFlip(bool on) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    int rc = m_pCam->Sensor_SetFlip(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    m_bSoftwareFlip = on;
    return RC_SUCCESS;
}

int CZOQDevice::GetFlip(bool* on) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    int rc = m_pCam->Sensor_GetFlip(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    if (on != nullptr) *on = m_bSoftwareFlip;
    return RC_SUCCESS;
}

int CZOQDevice::SetMirror(bool on) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    int rc = m_pCam->Sensor_SetMirror(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    m_bSoftwareMirror = on;
    return RC_SUCCESS;
}

int CZOQDevice::GetMirror(bool* on) {
    if (m_pCam == nullptr) return RC_CAMERA_NOT_CREATED;
    int rc = m_pCam->Sensor_GetMirror(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    if (on != nullptr) *on = m_bSoftwareMirror;
    return RC_SUCCESS;
}
