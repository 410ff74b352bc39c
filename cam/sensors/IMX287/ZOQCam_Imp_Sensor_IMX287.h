/* CZOQCamIMX287: the 0.4-megapixel IMX287 (728 x 544) of the IMX250
 * register family: a fixed line length, four more lines of frame, no fixed
 * part in the exposure time, and a strobe output. */
#ifndef ZOQCAM_IMP_SENSOR_IMX287_H
#define ZOQCAM_IMP_SENSOR_IMX287_H

#include "sony/ZOQCam_Sony_IMX250Family.h"

class CZOQCamIMX287 : public CZOQCamSony {
public:
    CZOQCamIMX287(IZOQDevice* device, const ZOQCapabilityTable& capability);

protected:
    int SyncHMAX() override;
};

#endif
