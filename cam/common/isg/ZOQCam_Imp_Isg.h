/* CZOQCamIsg: what the ISG1307 and ISG4006A share: 8-bit registers at
 * 16-bit addresses and a row window of two 12-bit values, each in a low
 * register and the low four bits of a high register (whose top four bits
 * belong to other settings and are kept). */
#ifndef ZOQCAM_IMP_ISG_H
#define ZOQCAM_IMP_ISG_H

#include "sensor/ZOQCam_Imp_Sensor.h"

// The gain field: the low 5 bits of the gain register.
constexpr unsigned short kZOQIsgGainField = 0x1F;

// What else the two chips share: one gain in the low 5 bits of a register
// (the upper bits kept), a 24-bit line count over three registers written
// low byte first, flip only, and a strobe that accepts its calls without
// effect; no address modes. The window is the chip class's own.
constexpr ZOQSensorLayout ZOQIsgLayout(ZOQRegisterList cached, unsigned short gain,
                                       unsigned short maxGain, unsigned short linesLow,
                                       unsigned short linesMiddle, unsigned short linesHigh,
                                       unsigned int maxLines, ZOQFovLimits limits,
                                       const ZOQAwbPresetTable* awb, ZOQRegisterBit flip) {
    return ZOQSensorLayout{
        .cached = cached,
        .retime = {},
        .awb = awb,
        .gain =
            ZOQSingleGain(gain, ZOQOffsetGain(0, maxGain, 0, kZOQIsgGainField, kZOQIsgGainField)),
        .lines = {.part = {{linesLow, 0, 0xFF}, {linesMiddle, 8, 0xFF}, {linesHigh, 16, 0xFF}},
                  .count = 3,
                  .minLines = 1,
                  .maxLines = maxLines},
        .window = {.limits = limits, .align = {0, 0}, .field = {}},
        .addressMode = {},
        .flip = flip,
        .mirror = {},
        .strobe = ZOQStrobe::NoEffect,
        .strobeEnable = {},
        .strobeInvert = {},
    };
}

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
