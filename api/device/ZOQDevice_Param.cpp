// Numbered parameters with integer values, and the capability query.
#include "ZoqOut.h"
#include "device/ZOQDevice.h"

namespace {
unsigned int* AsUnsigned(int* value) {
    return reinterpret_cast<unsigned int*>(value);
}
}  // namespace

int CZOQDevice::SetParam(ZOQ_PARAM param, int value) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    switch (static_cast<int>(param)) {
        case ZOQ_PARAM_EXPOSURE_TIME:
            return m_pCam->Sensor_SetExposureTime(static_cast<float>(value));
        case ZOQ_PARAM_GAIN_R:
            return m_pCam->Sensor_SetGainR(static_cast<unsigned int>(value));
        case ZOQ_PARAM_GAIN_G:
            return m_pCam->Sensor_SetGainG(static_cast<unsigned int>(value));
        case ZOQ_PARAM_GAIN_B:
            return m_pCam->Sensor_SetGainB(static_cast<unsigned int>(value));
        case ZOQ_PARAM_FLIP:
            return SetFlip(value != 0);
        case ZOQ_PARAM_MIRROR:
            return SetMirror(value != 0);
        case ZOQ_PARAM_EXPOSURE_LINES:
            return m_pCam->Sensor_SetExposureLines(static_cast<unsigned int>(value));
        default:
            return RC_NOT_SUPPORTED;
    }
}

int CZOQDevice::GetParam(ZOQ_PARAM param, int* value) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    switch (static_cast<int>(param)) {
        case ZOQ_PARAM_EXPOSURE_TIME: {
            float ms = 0.0f;
            int rc = m_pCam->Sensor_GetExposureTime(&ms);
            zoq::Put(value, static_cast<int>(ms));
            return rc;
        }
        case ZOQ_PARAM_GAIN_R:
            return m_pCam->Sensor_GetGainR(AsUnsigned(value));
        case ZOQ_PARAM_GAIN_G:
            return m_pCam->Sensor_GetGainG(AsUnsigned(value));
        case ZOQ_PARAM_GAIN_B:
            return m_pCam->Sensor_GetGainB(AsUnsigned(value));
        case ZOQ_PARAM_FLIP:
        case ZOQ_PARAM_MIRROR: {
            // The whole integer is written (0 or 1), so callers need not clear it.
            bool on = false;
            int rc = param == ZOQ_PARAM_FLIP ? GetFlip(&on) : GetMirror(&on);
            if (rc == RC_SUCCESS && value != nullptr) *value = on ? 1 : 0;
            return rc;
        }
        case ZOQ_PARAM_EXPOSURE_LINES:
            return m_pCam->Sensor_GetExposureLines(AsUnsigned(value));
        default:
            return RC_NOT_SUPPORTED;
    }
}

int CZOQDevice::GetParamRange(ZOQ_PARAM param, int* min, int* max) {
    DEVICE_NEEDS_CAMERA(RC_CAMERA_NOT_CREATED);
    switch (static_cast<int>(param)) {
        case ZOQ_PARAM_EXPOSURE_TIME: {
            float lo = 0.0f, hi = 0.0f;
            int rc = m_pCam->Sensor_GetExposureTimeRange(&lo, &hi);
            zoq::Put(min, static_cast<int>(lo));
            zoq::Put(max, static_cast<int>(hi));
            return rc;
        }
        case ZOQ_PARAM_GAIN_R:
        case ZOQ_PARAM_GAIN_G:
        case ZOQ_PARAM_GAIN_B:
            return m_pCam->Sensor_GetGainRange(AsUnsigned(min), AsUnsigned(max));
        case ZOQ_PARAM_FLIP:
        case ZOQ_PARAM_MIRROR:
            zoq::Put(min, 0);
            zoq::Put(max, 1);
            return RC_SUCCESS;
        case ZOQ_PARAM_EXPOSURE_LINES:
            return m_pCam->Sensor_GetExposureLinesRange(AsUnsigned(min), AsUnsigned(max));
        default:
            return RC_NOT_SUPPORTED;
    }
}

int CZOQDevice::QueryFunction(ZOQ_FUNCTION function, int* value) {
    return CamCall(RC_NOT_INITIALIZED, &IZOQCam::Cam_QueryFunction, function, value);
}
