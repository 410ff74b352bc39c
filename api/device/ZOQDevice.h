// CZOQDevice: one camera found on a bus. It owns the plug-in camera object,
// the two field-of-view records, the capture settings and the state of the
// software image pipeline, and it offers the plug-in its register services
// (IZOQDevice), which it carries out through its bus.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"
#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"
#include "calibration/ZOQDevice_Custom_Calibration_Map.h"
#include "colourroad/ZOQDevice_AWB.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_Matrix.h"
#include "device/ZOQDevice_FrameShape.h"
#include "rawroad/ZOQDevice_AE_Control.h"
#include "rawroad/ZOQDevice_AF_Measure.h"
#include "rawroad/ZOQDevice_Image_LutFile.h"
#include "rawroad/ZOQDevice_Image_Tone.h"
#include "zoqapi.h"
#include "zoqcam.h"

class IZOQBus;

// The first line of an operation that needs the plug-in's camera object (or
// the bus) names what it answers without one: each family of operations has
// its own code (-19, -5 or, for a stage with nothing to do, 0).
#define DEVICE_NEEDS_CAMERA(missingCode)             \
    do {                                             \
        if (m_pCam == nullptr) return (missingCode); \
    } while (0)
#define DEVICE_NEEDS_BUS(missingCode)                \
    do {                                             \
        if (m_pBus == nullptr) return (missingCode); \
    } while (0)

// One frame of a stream between its trigger and the end of its read: the
// shape it was triggered with and the I/O lock held across the two.
struct ZoqFrameRead {
    ZoqFrameShape shape;
    unsigned int timeoutMs = 0;
    std::unique_lock<std::recursive_mutex> io;
};

// Locks. The state lock guards the settings, the field-of-view records, the
// pipeline's tables and the plug-in's camera object; the I/O lock guards the
// USB handle and every transfer. Whoever needs both takes the state lock
// first; nobody waits for the state lock while holding the I/O lock. Both
// are recursive because the auto-exposure, auto-focus and white-balance
// callbacks, which run inside a capture, may call the device again. Every
// API call holds the state lock (the frame/ forwarding takes it); the
// transfers take the I/O lock where they happen.
class CZOQDevice : public IZOQDevice {
public:
    explicit CZOQDevice(IZOQBus* bus);
    ~CZOQDevice() override;
    CZOQDevice(const CZOQDevice&) = delete;
    CZOQDevice& operator=(const CZOQDevice&) = delete;

    std::recursive_mutex& StateLock() const { return m_stateLock; }
    std::recursive_mutex& IoLock() const { return m_ioLock; }

    // ---- IZOQDevice services for the plug-in ----
    int VendorCmd_GetDeviceInformation(unsigned short* deviceType, int* serial,
                                       unsigned short* firmwareVersion) override;
    int WrSensor(unsigned int address, unsigned int value) override;
    int RdSensor(unsigned int address, unsigned int* value) override;
    int WrFpga(unsigned int address, unsigned int value) override;
    int RdFpga(unsigned int address, unsigned int* value) override;
    int SetWorkingMode(unsigned short mode) override;
    int GetWorkingMode(unsigned short* mode) override;
    int SetTriggerDelay(unsigned short delay) override;
    int GetTriggerDelay(unsigned short* delay) override;
    int DownloadLUT(unsigned short offset, unsigned char* data, int count) override;
    int DownloadGammaLUT(unsigned short offset, unsigned short* data, int count) override;

    // ---- Trigger-delay vendor requests (not offered to the plug-in) ----
    virtual int VendorCmd_SetTriggerDelay(unsigned short delay);
    virtual int VendorCmd_GetTriggerDelay(unsigned short* delay);

    // ---- Bus-specific operations ----
    virtual int VendorCmd(_tagUSBCmd* cmd, unsigned char* data) = 0;
    virtual int Open() = 0;
    virtual int OpenLostDevice() = 0;
    virtual int Close() = 0;
    virtual int Reset() = 0;
    virtual int ReadRawData(unsigned char* data) = 0;

    // ---- Capture ----
    virtual int CaptureRawData(unsigned char* buffer);
    virtual int CaptureRgbData(unsigned char* buffer);
    virtual int SoftStart() = 0;
    virtual int SoftStartCapture();
    virtual int ReadAfterStart(unsigned char* data) = 0;
    virtual int ReadRawDataAfterStart(unsigned char* buffer);

    // ---- Non-volatile store ----
    virtual int WrEEPROM(unsigned short address, unsigned char value);
    virtual int RdEEPROM(unsigned short address, unsigned char* value);
    virtual int WrEEPROMEx(unsigned int address, unsigned char value);
    virtual int RdEEPROMEx(unsigned int address, unsigned char* value);
    virtual int WrEEPROMExEx(unsigned int address, unsigned char* buffer, int count);
    virtual int RdEEPROMExEx(unsigned int address, int count, unsigned char* buffer);
    virtual int SetSerials(unsigned char serial);
    virtual int GetSerials(unsigned char* serial);
    virtual int ProgramWorkingMode(unsigned short mode);
    virtual int ReadoutWorkingMode(unsigned short* mode);
    virtual int ProgramWorkingModeEx(unsigned short mode);
    virtual int ReadoutWorkingModeEx(unsigned short* mode);
    virtual int ProgramColorMode(unsigned short mode);
    virtual int ReadoutColorMode(unsigned short* mode);
    virtual int ProgramSerialsDesc(unsigned char desc[16]);
    virtual int ReadoutSerialsDesc(unsigned char desc[16]);
    virtual int ProgramLutInfo(unsigned short info);
    virtual int ReadoutLutInfo(unsigned short* info);
    virtual int ProgramGammaLutInfo(unsigned short info);
    virtual int ReadoutGammaLutInfo(unsigned short* info);
    virtual int ProgramHWBMatrix(float gains[3]);
    virtual int ReadoutHWBMatrix(float gains[3]);
    virtual int UploadHWBMatrix(float gains[3]);
    virtual int ProgramHCCMMatrix(float matrix[3][3]);
    virtual int ReadoutHCCMMatrix(float matrix[3][3]);
    virtual int UploadHCCMMatrix(float matrix[3][3]);
    virtual int ProgramLutFile(char* path);
    virtual int ProgramLutData(unsigned char* data, int length);
    virtual int ReadoutLutData(unsigned char* data, int* length);
    virtual int ProgramGammaLutFile(char* path);
    virtual int ProgramGammaLutData(unsigned short* data, int count);
    virtual int ReadoutGammaLutData(unsigned short* data, int* count);
    int GetEEPROMType(ZOQ_EEPROM_TYPE* type);

    // ---- Device information ----
    int GetDeviceInformation(unsigned short* deviceType, int* serial,
                             unsigned short* firmwareVersion);
    int GetDeviceInformationEx(unsigned short* deviceType, int* serial,
                               unsigned short* firmwareVersion, unsigned short* fpgaVersion);

    // ---- Capture variants and settings ----
    int EmptyFrameBuffer();
    int CaptureRawDataAfterEmptyFrameBuffer(unsigned char* buffer);
    int CaptureRgbDataAfterEmptyFrameBuffer(unsigned char* buffer);
    int CaptureRgbDataExAfterEmptyFrameBuffer(unsigned char* buffer, int* width, int* height,
                                              int* bitCount);
    int SetCaptureTimeOut(unsigned int ms);
    int GetCaptureTimeOut(unsigned int* ms);
    int SetCaptureRecover(bool recover);
    int GetCaptureRecover(bool* recover);
    int SetCaptureTimeOutEx(unsigned int ms, bool recover);
    int GetCaptureTimeOutEx(unsigned int* ms, bool* recover);
    int GetBitCount() const;
    // Bytes one raw capture frame needs: the capture record's count, or the
    // camera's own count should it be larger.
    int RawFrameBytes() const;
    // The geometry a capture made now would have (state lock held).
    ZoqFrameShape CaptureShape() const;

    // ---- Continuous acquisition ----
    // A stream takes a frame in three steps, so that the processing of one
    // frame overlaps the transfer of the next. Each takes the locks it needs.
    // Every API call ends by publishing the capture shape and time-out for
    // the stream's reader (both locks held), so that the reader can trigger
    // under the I/O lock alone and never waits for the pipeline.
    void PublishStreamShape();
    // The shape of the next frame (published anew); -19 without a camera.
    int StreamShape(ZoqFrameShape* shape);
    // Makes `raw` hold the published shape and triggers the frame under the
    // I/O lock (reopening a closed camera first, under both); on success it
    // returns with the I/O lock held in `read`, for StreamRead.
    int StreamTrigger(std::vector<unsigned char>& raw, ZoqFrameRead* read);
    // Reads the frame triggered, then lets the I/O lock go.
    int StreamRead(unsigned char* raw, ZoqFrameRead* read);
    // The raw road on a frame that StreamRead delivered, then, with `image`,
    // the colour road into it. RC_BAD_FRAME, before anything runs, when the
    // device's geometry is no longer the frame's.
    int StreamProcess(const ZoqFrameShape& shape, unsigned char* raw, unsigned char* image);

    // ---- Parameters and capability query ----
    int GetParamRange(ZOQ_PARAM param, int* min, int* max);
    int SetParam(ZOQ_PARAM param, int value);
    int GetParam(ZOQ_PARAM param, int* value);
    int QueryFunction(ZOQ_FUNCTION function, int* value);

    // ---- Logging ----
    int LogSet(bool enable, const char* folder);

    // ---- Field of view ----
    int GetDefaultFieldOfView(int* columnStart, int* rowStart, int* columnSize, int* rowSize,
                              ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode);
    int SetCaptureFieldOfView(int columnStart, int rowStart, int columnSize, int rowSize,
                              ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode);
    int GetCaptureFieldOfView(int* columnStart, int* rowStart, int* columnSize, int* rowSize,
                              ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode);
    int SetPreviewFieldOfView(int columnStart, int rowStart, int columnSize, int rowSize,
                              ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode);
    int GetPreviewFieldOfView(int* columnStart, int* rowStart, int* columnSize, int* rowSize,
                              ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode);
    int SetFieldOfView(ZOQ_FOV_MODE mode, int columnStart, int rowStart, int columnSize,
                       int rowSize, ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                       unsigned short multiFrameNum);
    int GetFieldOfView(ZOQ_FOV_MODE mode, int* columnStart, int* rowStart, int* columnSize,
                       int* rowSize, ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode,
                       unsigned short* multiFrameNum);
    void UpdateFovInfo(ZOQ_FOV_MODE mode, int columnStart, int rowStart, int columnSize,
                       int rowSize, ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                       unsigned short multiFrameNum);
    int SwitchFieldOfViewMode(ZOQ_FOV_MODE mode);
    bool IfNeedStopPreviewBeforeRealizeFieldOfView(int columnSize, int rowSize,
                                                   ZOQ_ADDRESSMODE columnMode,
                                                   ZOQ_ADDRESSMODE rowMode,
                                                   unsigned short multiFrameNum) const;
    bool IsEqualFov() const { return false; }
    int GetCaptureSize(int* width, int* height);
    int GetCaptureSizeEx(int* width, int* height, int* bitCount);
    int GetPreviewSize(int* width, int* height);
    int GetPreviewSizeEx(int* width, int* height, int* bitCount);

    // ---- Trigger, frame rate, exposure, sensitivity, flip, mirror ----
    int SetTriggerMode(ZOQ_TRIGGERMODE mode);
    int GetTriggerMode(ZOQ_TRIGGERMODE* mode);
    int GetTriggerStatus(ZOQ_TRIGGERSTATUS* status);
    int SetTriggerMethod(ZOQ_TRIGGERMETHOD method);
    int GetTriggerMethod(ZOQ_TRIGGERMETHOD* method);
    int GetTriggerDelayRange(unsigned short* min, unsigned short* max);
    int SetFixedFrameRateEx(float fps);
    int GetFixedFrameRateEx(float* fps);
    int SetSensitivityMode(ZOQ_SENSITIVITYMODE mode);
    int GetSensitivityMode(ZOQ_SENSITIVITYMODE* mode);
    int SetExposureTime(float ms);
    int GetExposureTime(float* ms);
    int SetFlip(bool on);
    int GetFlip(bool* on);
    int SetMirror(bool on);
    int GetMirror(bool* on);

    // ---- Demosaic selection ----
    int GetDefaultBayerMode(ZOQ_BAYERMODE* mode);
    int SetBayerMode(ZOQ_BAYERMODE mode);
    int GetBayerMode(ZOQ_BAYERMODE* mode);
    int SetFilterMode(ZOQ_FILTERMODE mode);
    int GetFilterMode(ZOQ_FILTERMODE* mode);

    // ---- Tone tables ----
    int DownloadLutFile(const char* path);
    int DownloadLutData(unsigned char* data, int length);
    int SetLutEnable(bool on);
    int GetLutEnable(bool* on);
    int DownloadGammaLutFile(const char* path);
    int DownloadGammaLutData(unsigned short* data, int count);
    int SetGammaLutEnable(bool on);
    int GetGammaLutEnable(bool* on);
    int GetGammaRange(int* min, int* max);
    int SetGamma(int value);
    int GetGamma(int* value);
    int GetContrastRange(int* min, int* max);
    int SetContrast(int value);
    int GetContrast(int* value);
    int GetBrightnessRange(int* min, int* max);
    int SetBrightness(int value);
    int GetBrightness(int* value);

    // ---- White balance and colour correction ----
    int SetWhiteBalanceMode(ZOQ_WB_MODE mode);
    int GetWhiteBalanceMode(ZOQ_WB_MODE* mode);
    int SetWhiteBalancePhi(int phi);
    int GetWhiteBalancePhi(int* phi);
    int SetWhiteBalanceMatrix(float* gains);
    int GetWhiteBalanceMatrix(float* gains);
    int SetWhiteBalancePresetting(ZOQ_COLOR_TEMPRATURE preset);
    int GetWhiteBalancePresetting(ZOQ_COLOR_TEMPRATURE* preset);
    int SetWhiteBalanceAutoCallBack(ZOQ_WB_CALLBACK callback, void* context);
    int SetWhiteBalanceAutoCallBackEx(ZOQ_WB_CALLBACK_EX callback, void* context);
    int SetColorCorrectionMode(ZOQ_CCM_MODE mode);
    int GetColorCorrectionMode(ZOQ_CCM_MODE* mode);
    int SetColorCorrectionMatrix(float (*matrix)[3]);
    int GetColorCorrectionMatrix(float (*matrix)[3]);
    int SetColorCorrectionPresetting(ZOQ_COLOR_TEMPRATURE preset);
    int GetColorCorrectionPresetting(ZOQ_COLOR_TEMPRATURE* preset);
    int SetAWBRegion(int x, int y, int width, int height);
    int ShowAWBRegion(bool show);
    int GetAWBRegion(int* x, int* y, int* width, int* height, bool* show);

    // ---- Saturation and hue/saturation/lightness ----
    int GetSaturationRange(int* min, int* max);
    int SetSaturation(int value);
    int GetSaturation(int* value);
    int SetHSL(ZOQHueRange range, int hue, int saturation, int lightness);
    int GetHSL(ZOQHueRange range, int* hue, int* saturation, int* lightness);
    int SetHSLEnable(bool on);
    int GetHSLEnable(bool* on);

    // ---- Auto exposure and auto focus ----
    int SetAERegion(int x, int y, int width, int height);
    int ShowAERegion(bool show);
    int GetAERegion(int* x, int* y, int* width, int* height, bool* show);
    int SetAEPeakAveRatio(float ratio);
    int GetAEPeakAveRatio(float* ratio);
    int SetAEExposureTimeRange(float min, float max);
    int GetAEExposureTimeRange(float* min, float* max);
    int SetAECallbackEx(ZOQ_AE_CALLBACK_EX callback, void* context);
    int SetAEMaxCount(int maxCount);
    int SetAETarget(int target);
    int StartAEEx(bool start);
    int GetAEStatusEx(bool* running, int* maxCount, int* target);
    int SetAECallback(ZOQ_AE_CALLBACK callback, void* context);
    int StartAE(bool start, int maxCount, int target);
    int SetAFRegion(int x, int y, int width, int height);
    int GetAFRegion(int* x, int* y, int* width, int* height, bool* show);
    int ShowAFRegion(bool show);
    int SetAFCallback(ZOQ_AF_CALLBACK callback, void* context);
    int StartAF(bool start);

    // ---- Flat field, dark frame, bad pixels, calibration map ----
    int SetFlatFieldCorrectionFieldOfView(int columnStart, int rowStart, int columnSize,
                                          int rowSize, ZOQ_ADDRESSMODE columnMode,
                                          ZOQ_ADDRESSMODE rowMode, unsigned short multiFrameNum);
    int GetFlatFieldCorrectionFieldOfView(int* columnStart, int* rowStart, int* columnSize,
                                          int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                          ZOQ_ADDRESSMODE* rowMode, unsigned short* multiFrameNum);
    int MakeDarkFrame(int count);
    int MakeFlatFieldFrame(int count);
    int SetPreviewFlatFieldCorrectionEnable(bool on);
    int GetPreviewFlatFieldCorrectionEnable(bool* on);
    int SetCaptureFlatFieldCorrectionEnable(bool on);
    int GetCaptureFlatFieldCorrectionEnable(bool* on);
    int SaveFlatFieldCorrection(char* path);
    int LoadFlatFieldCorrection(char* path);
    int SetPreviewCalibration(bool on);
    int GetPreviewCalibration(bool* on);
    int SetCaptureCalibration(bool on);
    int GetCaptureCalibration(bool* on);
    int LoadCalibrationMapFile(const char* path);
    int SetCalibrationMapMode(ZOQ_MAPMODE mode);
    int GetCalibrationMapMode(ZOQ_MAPMODE* mode);
    int SetBadPixelCorrectionThreshold(unsigned char low, unsigned char high);
    int GetBadPixelCorrectionThreshold(unsigned char* low, unsigned char* high);
    int SetBadPixelCorrection(bool on, ZOQ_THRESHOLD level);
    int GetBadPixelCorrection(bool* on, ZOQ_THRESHOLD* level);

    // ---- Preview: not available on this platform ----
    int SetPreviewPos(int, int, int, int) { return RC_NOT_SUPPORTED; }
    int GetPreviewPos(int*, int*, int*, int*) { return RC_NOT_SUPPORTED; }
    int SetPreviewMode(ZOQ_PREVIEWMODE) { return RC_NOT_SUPPORTED; }
    int GetPreviewMode(ZOQ_PREVIEWMODE*) { return RC_NOT_SUPPORTED; }
    int GetDefaultPreviewMode(ZOQ_PREVIEWMODE*) { return RC_NOT_SUPPORTED; }
    int StartPreview(void*, bool) { return RC_NOT_SUPPORTED; }
    int PausePreview(bool) { return RC_NOT_SUPPORTED; }
    int GetPreviewStatus(ZOQ_PREVIEWSTATUS*) { return RC_NOT_SUPPORTED; }
    int GetPreviewFrameRate(float*) { return RC_NOT_SUPPORTED; }
    int GetPreviewPausedData(unsigned char*) { return RC_NOT_SUPPORTED; }
    int GetPreviewPausedDataEx(unsigned char*, int*, int*, int*) { return RC_NOT_SUPPORTED; }
    int StartPreviewEx(void*, bool, ZOQ_PREVIEW_CALLBACK, void*) { return RC_NOT_SUPPORTED; }
    int GetPreviewStatusEx(ZOQ_PREVIEWSTATUS*, bool*) { return RC_NOT_SUPPORTED; }
    int GetPreviewFrameRateEx(float*, unsigned int*) { return RC_NOT_SUPPORTED; }

    // ---- Image pipeline ----
    // The raw road: the corrections of an 8-bit raw frame, in place, after
    // every capture's read.
    int RawData8_Process(unsigned char* data, int width, int height);
    // The colour road of an RGB capture: demosaic into out, then the colour
    // stages. Always 0; stage failures stay inside.
    int RawData8_ToRgb(unsigned char* raw, int width, int height, unsigned char* out);
    // Demosaic of a 16-bit frame with the 16-bit routines; nothing else runs.
    int RawData16_ToRgb(unsigned char* raw, int width, int height, unsigned char* out);
    // Chooses and calls the 8-bit demosaic routine; stores the output bit
    // count through bitCount (when not null) before it runs.
    int RawData8_Process_BayerFilter(unsigned char* raw, int width, int height, unsigned char* out,
                                     int* bitCount);

    // Raw road stages, in their order (8-bit raw frames, in place).
    int RawData8_Do_BadPixelCorrect(unsigned char* data, int width, int height);
    int RawData8_LoadTable_Brightness_Contrast_Gamma(unsigned char* data, int count);
    int RawData8_Do_AE(unsigned char* data, int width, int height);
    int RawData8_Do_FFC(unsigned char* data, ZOQ_FOV_INFO fov);
    int RawData8_Do_3A_AF(unsigned char* data, int width, int height);
    // Colour road stages after the demosaic, in their order (output image of
    // bitCount bits a pixel, in place).
    int RgbData8_Do_Matrix_AWB(unsigned char* out, int width, int height, int bitCount);
    // The white-balance step of a frame without applying the tables: the
    // mode's measurement, rebuild and report; *applyTables tells whether
    // the frame then goes through the gain tables.
    int RgbData8_Prepare_AWB(unsigned char* out, int width, int height, int bitCount,
                             bool* applyTables);
    int RgbData8_Do_Matrix_CCM(unsigned char* out, int width, int height, int bitCount);
    int RgbData8_LoadTable_Saturation(unsigned char* out, int width, int height, int bitCount);
    int RgbData8_LoadTable_HSL(unsigned char* out, int width, int height, int bitCount);
    int RgbData8_Do_Calibration(unsigned char* out, int width, int height, int bitCount);

    // ---- Accessors for the bus ----
    void* LogHandle() const { return m_hLog; }

protected:
    using IoGuard = std::lock_guard<std::recursive_mutex>;

    // An operation that only forwards to the camera object (or to the bus,
    // for this device): missingCode without one, else the callee's answer.
    template <typename Iface, typename... P, typename... A>
    int CamCall(int missingCode, int (Iface::*op)(P...), A&&... args) {
        if (m_pCam == nullptr) return missingCode;
        return (m_pCam->*op)(std::forward<A>(args)...);
    }
    template <typename Bus, typename... P, typename... A>
    int BusCall(int missingCode, int (Bus::*op)(CZOQDevice*, P...), A&&... args) {
        if (m_pBus == nullptr) return missingCode;
        IoGuard io(m_ioLock);
        return (m_pBus->*op)(this, std::forward<A>(args)...);
    }

    // Answer of the table operations of the EEPROM store.
    int TableStoreAnswer() const {
        return m_pCam == nullptr ? RC_NOT_INITIALIZED : RC_NOT_SUPPORTED;
    }
    // Internal preview hooks; the capture path calls them and ignores them.
    int StartPreviewEx() { return RC_NOT_SUPPORTED; }
    int StopPreviewEx() { return RC_NOT_SUPPORTED; }
    int PausePreviewEx() { return RC_NOT_SUPPORTED; }
    int ResumePreviewEx() { return RC_NOT_SUPPORTED; }
    int CreatePreviewBmpInfo(int, int, int) { return RC_NOT_SUPPORTED; }
    int UpdatePreviewBmpInfo_WhenBayerModePreviewModeChanged() { return RC_NOT_SUPPORTED; }
    void UpdatePreviewBmpInfo_WhenPreviewFovChanged() {}

    // Fills both field-of-view records from the camera (device open).
    void LoadFovInfoFromCamera();
    // Stage state of the two roads: set up at construction (no camera yet),
    // brought to the camera's defaults for a width x height capture frame
    // when the device opens, released with the device.
    void InitRawRoad();
    void InitRawRoadFromCamera(int width, int height);
    void ReleaseRawRoad();
    void InitColourRoad();
    void InitColourRoadFromCamera(int width, int height);
    // A frame read whose handle is closed reopens the camera first: 0 when it
    // is open (again), else the read's code.
    virtual bool IsClosed() const { return false; }
    virtual int ReopenForRead() { return RC_SUCCESS; }
    // What follows a failed frame read (reset or recovery) and the code the
    // capture reports for it.
    virtual int AfterFailedRead(int readResult, bool /*recover*/) { return readResult; }
    // After a failed trigger or read of a stream: the same under both locks.
    int StreamReadFailed(int readResult, ZoqFrameRead* read);
    // The colour road of a frame read with `shape` into `image`, or
    // RC_BAD_FRAME, before anything is written, when the geometry changed
    // since (a callback of the raw road may change settings).
    int FrameToImage(const ZoqFrameShape& shape, unsigned char* raw, unsigned char* image);
    // Raw capture around the preview switch; readFrame does the read.
    template <typename ReadFrame>
    int CaptureRawWithPreviewSwitch(ReadFrame readFrame);
    // RGB capture of a raw frame read by captureRaw.
    template <typename CaptureRaw>
    int CaptureRgbFrom(unsigned char* buffer, CaptureRaw captureRaw);

    mutable std::recursive_mutex m_stateLock;
    mutable std::recursive_mutex m_ioLock;
    // Written with both locks held, read with either.
    ZoqFrameShape m_streamShape;
    unsigned int m_uStreamTimeOut = 8000;
    IZOQBus* m_pBus;
    IZOQCam* m_pCam = nullptr;
    void* m_hLog = nullptr;
    unsigned short m_uDeviceType = 0xFFFF;
    bool m_bSoftwareFlip = false;
    bool m_bSoftwareMirror = false;
    ZOQ_FOV_INFO m_FovInfo[2] = {};
    ZOQ_FOV_MODE m_CurrentFovMode = ZOQ_FOV_MODE_CAPTURE;
    ZOQ_BAYERMODE m_BayerMode = ZOQ_BAYER_RGGB_24_BOTTOMUP;
    ZOQ_FILTERMODE m_FilterMode = ZOQ_FILTER_FAST_BILINEAR;
    int m_nColorFlag = 1;
    unsigned int m_uCaptureTimeOut = 8000;
    // The raw frame of an RGB capture, kept from one capture to the next.
    std::unique_ptr<unsigned char[]> m_rgbRaw;
    size_t m_rgbRawBytes = 0;
    bool m_bCaptureRecover = false;
    int m_nSerial = 0;
    unsigned short m_uFirmwareVersion = 0;

    // ---- Raw road stage state (tone tables, auto exposure and focus, bad
    // pixels, flat field) ----
    ZoqToneTables m_tone;
    ZoqLutShadows m_lutShadow;
    ZoqAutoExposure m_ae;
    ZoqAutoFocus m_af;
    ZoqBadPixels m_badPixels;
    ZoqFlatField m_flatField;
    // The calibration map is loaded with the raw road's calibration data;
    // the colour road runs its remap last.
    ZoqCalibrationMap m_calibration;

    // One auto-exposure evaluation of a frame; the ZOQ_AE_STATUS.
    int DoAEEx(unsigned char* data, int width, int height);
    // Downloads a camera table of 8-bit or 16-bit entries in chunks through
    // `send` once the camera has confirmed `query` and the length.
    template <typename Entry, typename Send>
    int DownloadCameraTable(ZOQ_FUNCTION query, const Entry* data, int count, Entry* shadow,
                            int chunk, Send send);
    // Dark or flat frame: the average of `count` raw captures made with the
    // flat-field field of view.
    int MakeFlatFieldFrameOf(ZoqFlatField::Kind kind, int count);
    int SetFlatFieldCorrectionEnable(bool* enable, bool on);

    // ---- Colour road stage state (white balance, colour correction,
    // saturation, hue/saturation/lightness, calibration map) ----
    ZoqWhiteBalance m_awb;
    ZoqColourMatrix m_ccm;
    ZoqSaturation m_saturation;
    ZoqHueSaturation m_hsl;

    // Query 0 of the plug-in answers 1.
    bool IsMonochromeCamera() const;
    // RC_NOT_INITIALIZED without a plug-in, RC_NOT_SUPPORTED for a
    // monochrome camera, else RC_SUCCESS: the gate of the white-balance
    // mode and region operations.
    int CheckColourCamera() const;
    // White balance and colour correction back to their defaults, then, with
    // a plug-in, to what the camera holds.
    int InitialMatrixAWB();
    int InitialCCM();
    // Measures white balance over the fitted region of the output image and
    // rebuilds the gain tables from the new gains.
    int RgbData8_MakeTable_AWB(unsigned char* out, int width, int height, int bitCount);
};
