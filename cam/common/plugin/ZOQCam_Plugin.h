/* The exports of a camera plug-in, written once. A plug-in's ZOQCam_<type>.cpp
 * is a single ZOQCAM_DEFINE_PLUGIN line naming its device type, model name,
 * sensor class and capability table; GET_READ_FPGAREG_ADDRESS and
 * g_SkipTable come with the common library. */
#ifndef ZOQCAM_PLUGIN_H
#define ZOQCAM_PLUGIN_H

#include <cstring>
#include <new>

#include "fpga/ZOQCam_Capability.h"
#include "ZoqOut.h"
#include "zoqcam.h"

namespace zoqplugin {

template <class Sensor>
int CreateCamera(IZOQDevice* device, IZOQCam** camera, const ZOQCapabilityTable& table) {
    if (!camera) return RC_PARAMETER_ERROR;
    // Construction failures are not reported: the object is still created
    // with whatever the register reads left in its caches.
    IZOQCam* created = new (std::nothrow) Sensor(device, table);
    if (!created) return RC_ALLOC_FAILED;
    *camera = created;
    return RC_SUCCESS;
}

inline int DeleteCamera(IZOQCam** camera) {
    if (camera && *camera) {
        delete *camera;
        *camera = nullptr;
    }
    return RC_SUCCESS;
}

// The model name is 11 to 15 characters; the caller's buffer holds 16.
inline int ReportType(int type, const char* model, int* deviceType, char* modelName) {
    zoq::Put(deviceType, type);
    if (!modelName) return RC_PARAMETER_ERROR;
    std::strncpy(modelName, model, 15);
    modelName[15] = '\0';
    return RC_SUCCESS;
}

}  // namespace zoqplugin

#define ZOQCAM_MODEL_NAME_OK(MODEL) (sizeof(MODEL) >= 12 && sizeof(MODEL) <= 16)

#define ZOQCAM_DEFINE_PLUGIN(TYPE, MODEL, SENSOR, TABLE)                                \
    static_assert(ZOQCAM_MODEL_NAME_OK(MODEL), "model names have 11 to 15 characters"); \
    int ZOQCAM_Create(IZOQDevice* device, IZOQCam** camera) {                           \
        return ::zoqplugin::CreateCamera<SENSOR>(device, camera, TABLE);                \
    }                                                                                   \
    int ZOQCAM_Delete(IZOQCam** camera) {                                               \
        return ::zoqplugin::DeleteCamera(camera);                                       \
    }                                                                                   \
    int ZOQCAM_GetType(int* deviceType, char* modelName) {                              \
        return ::zoqplugin::ReportType(TYPE, MODEL, deviceType, modelName);             \
    }

#endif
