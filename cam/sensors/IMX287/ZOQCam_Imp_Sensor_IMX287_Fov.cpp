/* CZOQCamIMX287: the fixed line length of 512 clocks (IMX287_SyncHMAX).
 * The high byte goes straight to the sensor, past the cache. */
#include "ZOQCam_Imp_Sensor_IMX287.h"

int CZOQCamIMX287::SyncHMAX() {
    int rc = WriteReg(imx250family::REG_HMAX, 0x00);
    if (rc != RC_SUCCESS) return rc;
    if (!m_pDevice) return RC_FAIL;
    return m_pDevice->WrSensor(imx250family::REG_HMAX + 1, 0x02);
}
