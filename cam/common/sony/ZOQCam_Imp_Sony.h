/* CZOQCamSony: the Sony IMX register scheme shared by the IMX250, IMX264,
 * IMX265, IMX287, IMX178, IMX174/IMX249 and IMX290 classes. Registers are
 * 8 bits wide and a wide quantity is split over consecutive addresses, low
 * byte first. The exposure is a frame length VMAX, a line length HMAX, a
 * shutter start SHS and a frame count SVS:
 *   lines = VMAX x (SVS + 1) - SHS
 *   ms    = (lines + offset lines) x HMAX x t + offset ms
 * The chips differ in their register addresses and limits (ZOQSonyLayout)
 * and in how a window sets HMAX and VMAX (SyncHMAX, SyncVMAX). */
#ifndef ZOQCAM_IMP_SONY_H
#define ZOQCAM_IMP_SONY_H

#include "sensor/ZOQCam_Imp_Sensor.h"

// A quantity over `bytes` consecutive 8-bit registers from `first`, low
// byte first. Only the bits of topMask belong to it in the last register;
// a write keeps that register's other bits. wholeFirst: the whole value,
// not just its low byte, is written to the first register.
struct ZOQWideField {
    unsigned short first;
    unsigned char bytes;  // 0: the chip does not have it
    unsigned char topMask = 0xFF;
    bool wholeFirst = false;
};

// A strobe programmed through the pulse registers: `enable` bits 0-1 on,
// `mode` low bits 1 (bits 3-7 kept; on when (mode AND modeCheck) is 1),
// `output` bit 1 on and bit 2 inverted. enable 0: the chip has none.
struct ZOQSonyPulseStrobe {
    unsigned short enable;
    unsigned short mode;
    unsigned short output;
    unsigned short modeCheck;
};

// Column start, row start, column size and row size.
struct ZOQSonyWindow {
    ZOQWideField field[4];
};

// Four 16-bit values from these addresses. wholeColumnStart: the whole
// column start, not just its low byte, goes to its first register.
constexpr ZOQSonyWindow ZOQSonyWindow16(unsigned short columnStart, unsigned short rowStart,
                                        unsigned short columnSize, unsigned short rowSize,
                                        bool wholeColumnStart = false) {
    return ZOQSonyWindow{{{columnStart, 2, 0xFF, wholeColumnStart},
                          {rowStart, 2, 0xFF, false},
                          {columnSize, 2, 0xFF, false},
                          {rowSize, 2, 0xFF, false}}};
}

struct ZOQSonyLayout {
    ZOQWideField vmax, hmax, shs, svs;
    unsigned int svsLimit;      // largest frame count
    unsigned int linesPerVmax;  // line range 1 .. VMAX x this
    float offsetLines;          // fixed part of the exposure, in lines of HMAX
    float offsetMs;             // and in milliseconds
    unsigned int vmaxMargin;    // VMAX = row size + margin
    ZOQWideField gain;
    ZOQSonyWindow window;
    ZOQWideField pulse;  // strobe pulse length: the line count, at most 0xFFFF
    ZOQSonyPulseStrobe strobe;
};

// The parts of a Sony chip's sensor layout that follow from its registers:
// one gain for all channels (0 .. maxGain), flip and mirror as bits 0 and 1
// of the orientation register. Exposure lines and the window are the Sony
// class's own (ZOQSonyLayout).
constexpr ZOQSensorLayout ZOQSonySensorLayout(ZOQRegisterList cached, unsigned short orientation,
                                              unsigned short maxGain, ZOQFovLimits limits,
                                              ZOQFovAlign align, ZOQStrobe strobe,
                                              const ZOQAwbPresetTable* awb,
                                              ZOQAddressModeLayout modes = {}) {
    return ZOQSensorLayout{
        .cached = cached,
        .retime = {},
        .awb = awb,
        .gain = {.channel = {}, .code = ZOQOffsetGain(0, maxGain, 0, 0xFFFF, 0xFFFF), .mirror = {}},
        .lines = {},
        .window = {.limits = limits, .align = align, .field = {}},
        .addressMode = modes,
        .flip = {.reg = orientation, .mask = 0x01, .activeLow = false},
        .mirror = {.reg = orientation, .mask = 0x02, .activeLow = false},
        .strobe = strobe,
        .strobeEnable = {},
        .strobeInvert = {},
    };
}

// A Sony chip: the shared sensor layout and its Sony quantities.
struct ZOQSonyChip {
    ZOQSensorLayout sensor;
    ZOQSonyLayout sony;
};

class CZOQCamSony : public CZOQCamSensor {
public:
    CZOQCamSony(IZOQDevice* device, const ZOQCapabilityTable& capability, const ZOQSonyChip& chip);

    // Exposure by VMAX, SVS and SHS
    int Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) override;
    int Sensor_SetExposureLines(unsigned int lines) override;
    int Sensor_GetExposureLines(unsigned int* lines) override;
    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

    // Window: four 16-bit values; a change sets HMAX and VMAX again
    int Sensor_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                      unsigned int rowSize, ZOQ_ADDRESSMODE columnMode,
                      ZOQ_ADDRESSMODE rowMode) override;
    int Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                      unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                      ZOQ_ADDRESSMODE* rowMode) override;

    // Strobe through the pulse registers, where the chip has them
    int Sensor_EnableFlash(bool on) override;
    int Sensor_IsFlashEnable(bool* on) override;
    int Sensor_InvertFlash(bool invert) override;
    int Sensor_IsFlashInvert(bool* invert) override;

protected:
    // One gain for every channel.
    int SetGain(ZOQ_GAINCHANNEL channel, unsigned int index) override;
    int GetGain(ZOQ_GAINCHANNEL channel, unsigned int* index) override;

    const ZOQSonyLayout& Sony() const { return m_Sony; }
    unsigned int ReadField(const ZOQWideField& field) const;
    int WriteField(const ZOQWideField& field, unsigned int value);
    unsigned int Vmax() const { return ReadField(m_Sony.vmax); }
    unsigned int Hmax() const { return ReadField(m_Sony.hmax); }
    unsigned int ColumnSize() const { return ReadField(m_Sony.window.field[2]); }
    unsigned int RowSize() const { return ReadField(m_Sony.window.field[3]); }

    // HMAX for the current window: each chip's rule, written with WriteHmax.
    virtual int SyncHMAX() = 0;
    int WriteHmax(unsigned int hmax) { return WriteField(m_Sony.hmax, hmax); }
    // VMAX = row size + margin, then the exposure is re-timed.
    virtual int SyncVMAX();
    int WriteVmax(unsigned int vmax);
    // The address mode that the window asks for; only chips with address
    // modes program it.
    virtual int SetWindowMode(ZOQ_ADDRESSMODE mode);
    // HMAX, then VMAX and the exposure, after a window or mode change.
    int SyncTiming();
    // SHS and SVS of a line count (the Calculate_SHS_SVS step).
    void ShutterOfLines(unsigned int lines, unsigned int* shs, unsigned int* svs) const;

private:
    // The strobe pulse follows the exposure (the SyncPluse1Dn step).
    int SyncPulse();
    // VMAX as the divisor of the line arithmetic (0 counts as 1).
    unsigned int FrameLines() const;

    const ZOQSonyLayout& m_Sony;
};

#endif
