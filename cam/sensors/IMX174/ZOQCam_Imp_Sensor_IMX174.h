/* CZOQCamIMX174 and CZOQCamIMX249: the 2.3-megapixel IMX174 and IMX249
 * (1936 x 1216), one and the same register body: the Sony scheme with
 * 16-bit frame and line quantities, a 12-bit VMAX, a fixed 13.73 us in
 * every exposure and a strobe output. */
#ifndef ZOQCAM_IMP_SENSOR_IMX174_H
#define ZOQCAM_IMP_SENSOR_IMX174_H

#include "sony/ZOQCam_Imp_Sony.h"

class CZOQCamIMX174 : public CZOQCamSony {
public:
    CZOQCamIMX174(IZOQDevice* device, const ZOQCapabilityTable& capability);

protected:
    int SyncHMAX() override;
};

class CZOQCamIMX249 final : public CZOQCamIMX174 {
public:
    using CZOQCamIMX174::CZOQCamIMX174;
};

#endif
