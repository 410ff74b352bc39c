/* CZOQCamIMX265: the 3-megapixel IMX265 (2064 x 1544) of the IMX250
 * register family, with its own line length rule. */
#ifndef ZOQCAM_IMP_SENSOR_IMX265_H
#define ZOQCAM_IMP_SENSOR_IMX265_H

#include "sony/ZOQCam_Sony_IMX250Family.h"

class CZOQCamIMX265 : public CZOQCamSony {
public:
    CZOQCamIMX265(IZOQDevice* device, const ZOQCapabilityTable& capability);

protected:
    int SyncHMAX() override;
};

#endif
