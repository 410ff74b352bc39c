// Settings that live in the camera: trigger, frame rate, sensitivity,
// exposure, flip and mirror. The camera checks its capabilities.
#include "ZoqFinite.h"
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

int CZOQDevice::SetTriggerMode(ZOQ_TRIGGERMODE mode) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_SetTriggerMode, mode);
}
int CZOQDevice::GetTriggerMode(ZOQ_TRIGGERMODE* mode) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetTriggerMode, mode);
}
int CZOQDevice::GetTriggerStatus(ZOQ_TRIGGERSTATUS* status) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetTriggerStatus, status);
}
int CZOQDevice::SetTriggerMethod(ZOQ_TRIGGERMETHOD method) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_SetTriggerMethod, method);
}
int CZOQDevice::GetTriggerMethod(ZOQ_TRIGGERMETHOD* method) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetTriggerMethod, method);
}
int CZOQDevice::GetTriggerDelayRange(unsigned short* min, unsigned short* max) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetTriggerDelayRange, min, max);
}
int CZOQDevice::SetTriggerDelay(unsigned short delay) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_SetTriggerDelay, delay);
}
int CZOQDevice::GetTriggerDelay(unsigned short* delay) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetTriggerDelay, delay);
}
int CZOQDevice::SetFixedFrameRateEx(float fps) {
    if (!zoq::Finite(fps)) return RC_PARAMETER_ERROR;
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_SetFixedFrameRateEx, fps);
}
int CZOQDevice::GetFixedFrameRateEx(float* fps) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetFixedFrameRateEx, fps);
}
int CZOQDevice::SetSensitivityMode(ZOQ_SENSITIVITYMODE mode) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_SetSensitivityMode, mode);
}
int CZOQDevice::GetSensitivityMode(ZOQ_SENSITIVITYMODE* mode) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Fpga_GetSensitivityMode, mode);
}
int CZOQDevice::SetExposureTime(float ms) {
    if (!zoq::Finite(ms)) return RC_PARAMETER_ERROR;
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Sensor_SetExposureTime, ms);
}
int CZOQDevice::GetExposureTime(float* ms) {
    return CamCall(RC_CAMERA_NOT_CREATED, &IZOQCam::Sensor_GetExposureTime, ms);
}

// Sensors that cannot flip or mirror keep the setting in a flag instead; no
// stage of the pipeline flips the image for them.
int CZOQDevice::SetFlip(bool on) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    int rc = m_pCam->Sensor_SetFlip(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    m_bSoftwareFlip = on;
    return RC_SUCCESS;
}

int CZOQDevice::GetFlip(bool* on) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    int rc = m_pCam->Sensor_GetFlip(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    zoq::Put(on, m_bSoftwareFlip);
    return RC_SUCCESS;
}

int CZOQDevice::SetMirror(bool on) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    int rc = m_pCam->Sensor_SetMirror(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    m_bSoftwareMirror = on;
    return RC_SUCCESS;
}

int CZOQDevice::GetMirror(bool* on) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    int rc = m_pCam->Sensor_GetMirror(on);
    if (rc != RC_NOT_SUPPORTED) return rc;
    zoq::Put(on, m_bSoftwareMirror);
    return RC_SUCCESS;
}
