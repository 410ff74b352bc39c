/* CZOQCamIMX264: the 5-megapixel IMX264 (2464 x 2056) of the IMX250
 * register family, with its own line length rule. */
#ifndef ZOQCAM_IMP_SENSOR_IMX264_H
#define ZOQCAM_IMP_SENSOR_IMX264_H

#include "sony/ZOQCam_Sony_IMX250Family.h"

class CZOQCamIMX264 : public CZOQCamSony {
public:
    CZOQCamIMX264(IZOQDevice* device, const ZOQCapabilityTable& capability);

protected:
    int SyncHMAX() override;
};

#endif
