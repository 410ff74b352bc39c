/* CZOQCamIMX290: the full-HD IMX290 (1944 x 1096 with margins). Its
 * exposure counts no frames: lines = VMAX - SHS1 - 1, the frame growing
 * with the exposure; the line length is fixed and the window takes no
 * address mode. */
#ifndef ZOQCAM_IMP_SENSOR_IMX290_H
#define ZOQCAM_IMP_SENSOR_IMX290_H

#include "sony/ZOQCam_Imp_Sony.h"

class CZOQCamIMX290 : public CZOQCamSony {
public:
    CZOQCamIMX290(IZOQDevice* device, const ZOQCapabilityTable& capability);

    int Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) override;
    int Sensor_SetExposureLines(unsigned int lines) override;
    int Sensor_GetExposureLines(unsigned int* lines) override;
    // Nothing to program: accepted.
    int Sensor_SetAddressMode(ZOQ_ADDRESSMODE mode, bool* written) override;

protected:
    int SyncHMAX() override;
    int SyncVMAX() override;
};

#endif
