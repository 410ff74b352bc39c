/* CZOQCam: the part of every camera plug-in that is the same for all models.
 * It implements the FPGA interface and the whole-camera operations on top of
 * a write-through cache of the FPGA registers, gated by the model's
 * capability record. A sensor class derives from it and supplies the sensor
 * operations. */
#ifndef ZOQCAM_IMP_H
#define ZOQCAM_IMP_H

#include "fpga/ZOQCam_Capability.h"
#include "fpga/ZOQCam_FpgaRegisters.h"
#include "fpga/ZOQCam_RegisterCache.h"
#include "zoqcam.h"

class CZOQCam : public IZOQCam {
public:
    // Reads the device identity, fills the capability record from the
    // table, reads the FPGA version and fills the FPGA register cache. With a
    // null device the object stays empty and every register operation fails.
    CZOQCam(IZOQDevice* device, const ZOQCapabilityTable& capability);
    ~CZOQCam() override;
    CZOQCam(const CZOQCam&) = delete;
    CZOQCam& operator=(const CZOQCam&) = delete;

    // ---- IZOQSensor: the one sensor operation answered here ----
    ZOQ_BAYERMODE Sensor_GetDefaultBayerMode() override;

    // ---- IZOQFpga: register access ----
    int Fpga_RdReg(unsigned int reg, unsigned short* value) override;
    int Fpga_WrReg(unsigned int reg, unsigned short value) override;
    int Fpga_GetVersion(unsigned short* version) override;
    int Fpga_RdRelatedRegValue() override;
    int Fpga_WrRelatedRegValue(unsigned short reg, unsigned short value, bool* written) override;
    int Fpga_RecoverRelatedRegValue() override;

    // ---- IZOQFpga: trigger and frame rate ----
    int Fpga_SetTriggerMode(ZOQ_TRIGGERMODE mode) override;
    int Fpga_GetTriggerMode(ZOQ_TRIGGERMODE* mode) override;
    int Fpga_SetTriggerMethod(ZOQ_TRIGGERMETHOD method) override;
    int Fpga_GetTriggerMethod(ZOQ_TRIGGERMETHOD* method) override;
    int Fpga_GetTriggerStatus(ZOQ_TRIGGERSTATUS* status) override;
    int Fpga_GetTriggerDelayRange(unsigned short* min, unsigned short* max) override;
    int Fpga_SetTriggerDelay(unsigned short delay) override;
    int Fpga_GetTriggerDelay(unsigned short* delay) override;
    int Fpga_SetFixedFrameRateEx(float fps) override;
    int Fpga_GetFixedFrameRateEx(float* fps) override;
    int Fpga_EmptyFrameBuffer() override;

    // ---- IZOQFpga: transfer and on-board processing switches ----
    int Fpga_SetMultiFrameNum(unsigned short frames) override;
    int Fpga_GetMultiFrameNum(unsigned short* frames) override;
    int Fpga_Set16BitsTransfer(bool on) override;
    int Fpga_Get16BitsTransfer(bool* on) override;
    int Fpga_SetLutEnable(bool on) override;
    int Fpga_GetLutEnable(bool* on) override;
    int Fpga_SetGammaLutEnable(bool on) override;
    int Fpga_GetGammaLutEnable(bool* on) override;
    int Fpga_SetBadPixelCorrection(bool on, ZOQ_THRESHOLD threshold) override;
    int Fpga_GetBadPixelCorrection(bool* on, ZOQ_THRESHOLD* threshold) override;
    int Fpga_SetSensitivityMode(ZOQ_SENSITIVITYMODE mode) override;
    int Fpga_GetSensitivityMode(ZOQ_SENSITIVITYMODE* mode) override;

    // ---- IZOQFpga: white balance and colour correction ----
    int Fpga_GetAwbMode(ZOQ_WB_MODE* mode) override;
    int Fpga_GetCcmMode(ZOQ_CCM_MODE* mode) override;
    int Fpga_SetAwbEnable(bool on) override;
    int Fpga_GetAwbEnable(bool* on) override;
    int Fpga_SetAwbPresetting(ZOQ_COLOR_TEMPRATURE preset) override;
    int Fpga_GetAwbPresetting(ZOQ_COLOR_TEMPRATURE* preset) override;
    int Fpga_SetAwbModeAutoOnce() override;
    int Fpga_SetAwbModeContinue() override;
    int Fpga_SetAwbMatrix(float* gains3) override;
    int Fpga_GetAwbMatrix(float* gains3) override;
    int Fpga_SetCcmEnable(bool on) override;
    int Fpga_GetCcmEnable(bool* on) override;
    int Fpga_SetCcmPresetting(ZOQ_COLOR_TEMPRATURE preset) override;
    int Fpga_GetCcmPresetting(ZOQ_COLOR_TEMPRATURE* preset) override;
    int Fpga_SetCcmMatrix(float matrix[3][3]) override;
    int Fpga_GetCcmMatrix(float matrix[3][3]) override;

    // ---- IZOQCam ----
    int Cam_RecoverRelatedRegValue() override;
    int Cam_GetDeviceInformation(unsigned short* deviceType, int* serial,
                                 unsigned short* firmwareVersion) override;
    int Cam_GetDeviceInformationEx(unsigned short* deviceType, int* serial,
                                   unsigned short* firmwareVersion,
                                   unsigned short* fpgaVersion) override;
    int Cam_CheckFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                     unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode,
                     unsigned short* multiFrameNum) override;
    int Cam_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                   unsigned int rowSize, ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                   unsigned short multiFrameNum) override;
    int Cam_GetFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                   unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode,
                   unsigned short* multiFrameNum) override;
    int Cam_GetCaptureBytes() override;
    int Cam_GetCaptureSize(int* width, int* height) override;
    int Cam_QueryFunction(ZOQ_FUNCTION function, int* value) override;
    int Cam_GetEEPROMType(ZOQ_EEPROM_TYPE* type) override;

    // ---- Internal to the plug-in: what the sensor class keeps current ----
    virtual int Sensor_UpdateExposureTime() = 0;
    virtual int Sensor_SyncExposureLines() = 0;
    using IZOQSensor::Sensor_GetExposureTime;
    virtual float Sensor_GetExposureTime() = 0;  // current exposure, ms
    virtual int Sensor_UpdateSensorWidth() = 0;
    virtual int Sensor_UpdateSensorHeight() = 0;
    virtual ZOQ_ADDRESSMODE Sensor_GetAddressMode() = 0;
    virtual int Sensor_SetAddressMode(ZOQ_ADDRESSMODE mode, bool* written) = 0;

    // Fill the capability record from the plug-in's table: the base values
    // (firmware-dependent) and then the FPGA-version-dependent bytes 0..6.
    void Cam_CapConfiguration_Base();
    void Cam_CapConfiguration_Fpga();

    const ZOQCapabilityRecord& Capability() const { return m_Capability; }

protected:
    bool Cap(ZOQ_CAPBIT bit) const { return m_Capability.Has(bit); }
    unsigned short CachedFpgaReg(unsigned int reg) const { return m_FpgaRegs.Get(reg); }
    // Frames per capture: the cached register 8, where 0 counts as 1.
    unsigned int FramesPerCapture() const;
    bool Is16BitsTransfer() const;
    ZOQ_TRIGGERMODE CachedTriggerMode() const;
    // A requested address mode as the window checks correct it: 5 or more
    // becomes 4 when mode 4 is allowed, else 0; a negative mode or one the
    // model does not allow becomes 0.
    ZOQ_ADDRESSMODE CorrectAddressMode(ZOQ_ADDRESSMODE requested) const;

    IZOQDevice* m_pDevice;
    void* m_pPrivate;           // plug-in scratch pointer, unused by the common code
    float m_fPixelClock;        // MHz
    float m_fPixelClockPeriod;  // ms
    unsigned short m_wDeviceType;
    unsigned short m_wFirmwareVersion;
    int m_nSerial;
    unsigned short m_wFpgaVersion;
    unsigned char m_byFirmwareMajor;
    unsigned char m_byFirmwareMinor;
    unsigned char m_byFpgaMajor;
    unsigned char m_byFpgaMinor;
    unsigned int m_uImageWidth;  // window / pixel step, kept by the sensor class
    unsigned int m_uImageHeight;
    CZOQRegisterCache<zoqfpga::kCachedCount> m_FpgaRegs;
    ZOQCapabilityRecord m_Capability;

private:
    // Change the bits `mask` of a cached register to `bits` through the
    // write-on-change path.
    int UpdateFpgaBits(unsigned short reg, unsigned short mask, unsigned short bits);
    // Read registers first..first+count-1 from the camera into the cache.
    int ReadMatrixRegisters(unsigned short first, unsigned count);
    // Write `count` values scaled by 4096, stopping at the first failure.
    int WriteMatrixRegisters(unsigned short first, const float* values, unsigned count);
    int ReadThroughFpga(unsigned int reg, unsigned short* value);

    const ZOQCapabilityTable& m_CapabilityTable;
};

namespace zoqplugin {

// Pixel step of an address mode (g_SkipTable); 1 for a value outside 0..4.
unsigned int SkipStep(ZOQ_ADDRESSMODE mode);

// Frames of width x height (x2 with 16-bit transfer) that fit the 16 MiB
// capture limit, as the FPGA layer counts them: the quotient kept to 16
// bits. An empty image gives 0.
unsigned short MultiFrameLimit(unsigned int width, unsigned int height, bool is16Bits);

// Fit one dimension of a window to a sensor of maxSize pixels: a size of 0
// becomes 1, a size above maxSize becomes maxSize, and the start is lowered
// so that start + size <= maxSize.
void FitWindow(unsigned int* start, unsigned int* size, unsigned int maxSize);

}  // namespace zoqplugin

#endif
