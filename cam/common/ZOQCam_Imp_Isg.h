/* CZOQCamIsg: what the ISG1307 and ISG4006A share: 8-bit registers at
 * 16-bit addresses and a row window of two 12-bit values, each in a low
 * register and the low four bits of a high register (whose top four bits
 * belong to other settings and are kept). */
#ifndef ZOQCAM_IMP_ISG_H
#define ZOQCAM_IMP_ISG_H

#include "ZOQCam_Imp_Sensor.h"

struct ZOQIsgRowWindow {
    unsigned short startLow, startHigh, sizeLow, sizeHigh;
};

class CZOQCamIsg : public CZOQCamSensor {
public:
    CZOQCamIsg(IZOQDevice* device, const ZOQCapabilityTable& capability,
               const ZOQSensorLayout& layout, const ZOQIsgRowWindow& rows)
        : CZOQCamSensor(device, capability, layout), m_Rows(rows) {}

protected:
    unsigned int RowStart() const { return Row12(m_Rows.startLow, m_Rows.startHigh); }
    unsigned int RowSize() const { return Row12(m_Rows.sizeLow, m_Rows.sizeHigh); }
    // Row start, then row size, each low byte first; stops at the first
    // failure.
    int WriteRows(unsigned int rowStart, unsigned int rowSize);

private:
    unsigned int Row12(unsigned short low, unsigned short high) const;
    int WriteRow12(unsigned short low, unsigned short high, unsigned int value);

    const ZOQIsgRowWindow& m_Rows;
};

#endif
