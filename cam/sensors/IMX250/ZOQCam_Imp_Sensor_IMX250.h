/* CZOQCamIMX250: the 5-megapixel IMX250 (2464 x 2056), the first of the
 * IMX250 register family; everything but its line length rule is the Sony
 * scheme's. */
#ifndef ZOQCAM_IMP_SENSOR_IMX250_H
#define ZOQCAM_IMP_SENSOR_IMX250_H

#include "sony/ZOQCam_Sony_IMX250Family.h"

class CZOQCamIMX250 : public CZOQCamSony {
public:
    CZOQCamIMX250(IZOQDevice* device, const ZOQCapabilityTable& capability);

protected:
    int SyncHMAX() override;
};

#endif
