/* ZOQ camera SDK: the application interface of libzoqapi.
 *
 * Include this one header (C or C++). Every function returns a ZOQ return
 * code (zoq_errors.h) unless noted. Per-device functions take the device
 * index first: 0 .. ZOQ_DeviceGetCount()-1, in enumeration order.
 * Getters skip null output pointers unless a function says otherwise.
 *
 * Threads. Each camera may be called from several threads: its functions
 * take turns on locks of the camera, so a setting changed during another
 * thread's capture waits until that capture is done and applies from the
 * next frame. Different cameras work in parallel. A single-threaded program
 * sees no difference.
 * - ZOQ_Init, ZOQ_UnInit, ZOQ_LogSet and the stopwatch (ZOQ_StartTimeCounter,
 *   ZOQ_CheckTimePassed*) are process-wide: call them while no other thread
 *   calls the library.
 * - The auto-exposure, auto-focus and white-balance callbacks run inside the
 *   capture, on the capturing thread, and may call the camera's functions.
 * - A capture uses the geometry (window, Bayer mode, transfer width) of the
 *   moment it runs. Size the buffer from ZOQ_CaptureGetSizeEx in the thread
 *   that captures, or hold off changes of geometry meanwhile: a size read
 *   before another thread changed the geometry is too small for the next
 *   frame. ZOQ_CaptureRgbDataExAfterEmptyFrameBuffer returns the frame with
 *   its size, and zoqstream.h delivers every frame with its geometry.
 * - A split capture (ZOQ_SoftStartCapture, then a read after start) takes
 *   two calls: frames of other threads' captures may come in between. */
#ifndef ZOQAPI_H
#define ZOQAPI_H

#include "zoq_errors.h"
#include "zoq_export.h"
#include "zoq_types.h"
#include "zoq_version.h"

ZOQ_BEGIN_C

/* ---- Library, devices, errors, stopwatch ---- */
ZOQ_EXPORT int ZOQ_Init(void);
ZOQ_EXPORT int ZOQ_UnInit(void);
ZOQ_EXPORT int ZOQ_DeviceGetCount(void);
ZOQ_EXPORT int ZOQ_DeviceGetInformation(int index, unsigned short* deviceType, int* serial,
                                        unsigned short* firmwareVersion);
ZOQ_EXPORT int ZOQ_DeviceGetInformationEx(int index, unsigned short* deviceType, int* serial,
                                          unsigned short* firmwareVersion,
                                          unsigned short* fpgaVersion);
ZOQ_EXPORT int ZOQ_Open(int index);
ZOQ_EXPORT int ZOQ_Close(int index);
ZOQ_EXPORT int ZOQ_VendorCmd(int index, _tagUSBCmd* cmd, unsigned char* data);
ZOQ_EXPORT int ZOQ_GetVersion(int* major, int* minor, int* build, int* revision);
/* text must hold ZOQ_ERROR_TEXT_SIZE (43) bytes. */
ZOQ_EXPORT int ZOQ_GetErrorInfo(int code, char* text);
ZOQ_EXPORT int ZOQ_StartTimeCounter(void);
ZOQ_EXPORT int ZOQ_CheckTimePassedSec(float* seconds);
ZOQ_EXPORT int ZOQ_CheckTimePassedMilSec(unsigned int* milliseconds);
/* Frame of an earlier ZOQ_SoftStartCapture as 32-bit BGR (width*height*4). */
ZOQ_EXPORT int ZOQ_ReadRgbDataAfterStart(int index, unsigned char* image);
/* Does nothing; kept for compatibility. */
ZOQ_EXPORT int ZOQ_CaptureRgbDataEx(int index, unsigned char* buffer, int* width, int* height,
                                    int* bitCount);

/* ---- Parameters and capability query ---- */
ZOQ_EXPORT int ZOQ_GetParamRange(int index, ZOQ_PARAM param, int* min, int* max);
ZOQ_EXPORT int ZOQ_SetParam(int index, ZOQ_PARAM param, int value);
ZOQ_EXPORT int ZOQ_GetParam(int index, ZOQ_PARAM param, int* value);
ZOQ_EXPORT int ZOQ_QueryFunction(int index, ZOQ_FUNCTION function, int* value);

/* ---- Logging (one log file per opened camera) ---- */
ZOQ_EXPORT int ZOQ_LogSet(bool enable, const char* folder);
/* folder must hold 260 bytes. */
ZOQ_EXPORT int ZOQ_LogGet(bool* enable, char* folder);

/* ---- Capture ---- */
ZOQ_EXPORT int ZOQ_CaptureRawData(int index, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_CaptureRgbData(int index, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_EmptyFrameBuffer(int index);
ZOQ_EXPORT int ZOQ_CaptureRawDataAfterEmptyFrameBuffer(int index, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_CaptureRgbDataAfterEmptyFrameBuffer(int index, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_CaptureRgbDataExAfterEmptyFrameBuffer(int index, unsigned char* buffer,
                                                         int* width, int* height, int* bitCount);
ZOQ_EXPORT int ZOQ_SoftStartCapture(int index);
ZOQ_EXPORT int ZOQ_ReadRawDataAfterStart(int index, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_CaptureSetTimeOut(int index, unsigned int milliseconds);
ZOQ_EXPORT int ZOQ_CaptureGetTimeOut(int index, unsigned int* milliseconds);
ZOQ_EXPORT int ZOQ_CaptureSetRecover(int index, bool recover);
ZOQ_EXPORT int ZOQ_CaptureGetRecover(int index, bool* recover);
ZOQ_EXPORT int ZOQ_CaptureSetTimeOutEx(int index, unsigned int milliseconds, bool recover);
ZOQ_EXPORT int ZOQ_CaptureGetTimeOutEx(int index, unsigned int* milliseconds, bool* recover);

/* ---- Field of view ---- */
ZOQ_EXPORT int ZOQ_CaptureGetDefaultFieldOfView(int index, int* columnStart, int* rowStart,
                                                int* columnSize, int* rowSize,
                                                ZOQ_ADDRESSMODE* columnMode,
                                                ZOQ_ADDRESSMODE* rowMode);
ZOQ_EXPORT int ZOQ_CaptureSetFieldOfView(int index, int columnStart, int rowStart, int columnSize,
                                         int rowSize, ZOQ_ADDRESSMODE columnMode,
                                         ZOQ_ADDRESSMODE rowMode);
ZOQ_EXPORT int ZOQ_CaptureGetFieldOfView(int index, int* columnStart, int* rowStart,
                                         int* columnSize, int* rowSize,
                                         ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode);
ZOQ_EXPORT int ZOQ_CaptureGetSize(int index, int* width, int* height);
ZOQ_EXPORT int ZOQ_CaptureGetSizeEx(int index, int* width, int* height, int* bitCount);
ZOQ_EXPORT int ZOQ_PreviewGetDefaultFieldOfView(int index, int* columnStart, int* rowStart,
                                                int* columnSize, int* rowSize,
                                                ZOQ_ADDRESSMODE* columnMode,
                                                ZOQ_ADDRESSMODE* rowMode);
ZOQ_EXPORT int ZOQ_PreviewSetFieldOfView(int index, int columnStart, int rowStart, int columnSize,
                                         int rowSize, ZOQ_ADDRESSMODE columnMode,
                                         ZOQ_ADDRESSMODE rowMode);
ZOQ_EXPORT int ZOQ_PreviewGetFieldOfView(int index, int* columnStart, int* rowStart,
                                         int* columnSize, int* rowSize,
                                         ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode);
ZOQ_EXPORT int ZOQ_PreviewGetSize(int index, int* width, int* height);
ZOQ_EXPORT int ZOQ_PreviewGetSizeEx(int index, int* width, int* height, int* bitCount);

/* ---- Trigger, frame rate, exposure, sensitivity ---- */
ZOQ_EXPORT int ZOQ_ExposureTimeSet(int index, float milliseconds);
ZOQ_EXPORT int ZOQ_ExposureTimeGet(int index, float* milliseconds);
ZOQ_EXPORT int ZOQ_TriggerModeSet(int index, ZOQ_TRIGGERMODE mode);
ZOQ_EXPORT int ZOQ_TriggerModeGet(int index, ZOQ_TRIGGERMODE* mode);
ZOQ_EXPORT int ZOQ_TriggerStatusGet(int index, ZOQ_TRIGGERSTATUS* status);
ZOQ_EXPORT int ZOQ_TriggerMethodSet(int index, ZOQ_TRIGGERMETHOD method);
ZOQ_EXPORT int ZOQ_TriggerMethodGet(int index, ZOQ_TRIGGERMETHOD* method);
ZOQ_EXPORT int ZOQ_TriggerDelayGetRange(int index, unsigned short* min, unsigned short* max);
ZOQ_EXPORT int ZOQ_TriggerDelaySet(int index, unsigned short delay);
ZOQ_EXPORT int ZOQ_TriggerDelayGet(int index, unsigned short* delay);
ZOQ_EXPORT int ZOQ_SetFixedFrameRateEx(int index, float fps);
ZOQ_EXPORT int ZOQ_GetFixedFrameRateEx(int index, float* fps);
ZOQ_EXPORT int ZOQ_SensitivitySetMode(int index, ZOQ_SENSITIVITYMODE mode);
ZOQ_EXPORT int ZOQ_SensitivityGetMode(int index, ZOQ_SENSITIVITYMODE* mode);

/* ---- Non-volatile store (camera EEPROM) ---- */
ZOQ_EXPORT int ZOQ_EEPROMTypeGet(int index, ZOQ_EEPROM_TYPE* type);
ZOQ_EXPORT int ZOQ_WrEEPROM(int index, unsigned short address, unsigned char value);
ZOQ_EXPORT int ZOQ_RdEEPROM(int index, unsigned short address, unsigned char* value);
ZOQ_EXPORT int ZOQ_WrEEPROMEx(int index, unsigned int address, unsigned char value);
ZOQ_EXPORT int ZOQ_RdEEPROMEx(int index, unsigned int address, unsigned char* value);
ZOQ_EXPORT int ZOQ_WrEEPROMExEx(int index, unsigned int address, unsigned char* buffer, int count);
/* Note the count-before-buffer order of the block read. */
ZOQ_EXPORT int ZOQ_RdEEPROMExEx(int index, unsigned int address, int count, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_SetSerials(int index, unsigned char serial);
ZOQ_EXPORT int ZOQ_GetSerials(int index, unsigned char* serial);
ZOQ_EXPORT int ZOQ_WorkingModeProgram(int index, unsigned short mode);
ZOQ_EXPORT int ZOQ_WorkingModeReadout(int index, unsigned short* mode);
ZOQ_EXPORT int ZOQ_WorkingModeExProgram(int index, unsigned short mode);
ZOQ_EXPORT int ZOQ_WorkingModeExReadout(int index, unsigned short* mode);
ZOQ_EXPORT int ZOQ_ColorModeProgram(int index, unsigned short mode);
ZOQ_EXPORT int ZOQ_ColorModeReadout(int index, unsigned short* mode);
ZOQ_EXPORT int ZOQ_SerialsDescProgram(int index, unsigned char desc[16]);
ZOQ_EXPORT int ZOQ_SerialsDescReadout(int index, unsigned char desc[16]);
ZOQ_EXPORT int ZOQ_LutInfoProgram(int index, unsigned short info);
ZOQ_EXPORT int ZOQ_LutInfoReadout(int index, unsigned short* info);
ZOQ_EXPORT int ZOQ_GammaLutInfoProgram(int index, unsigned short info);
ZOQ_EXPORT int ZOQ_GammaLutInfoReadout(int index, unsigned short* info);
ZOQ_EXPORT int ZOQ_HWBMatrixProgram(int index, float gains[3]);
ZOQ_EXPORT int ZOQ_HWBMatrixReadout(int index, float gains[3]);
ZOQ_EXPORT int ZOQ_HWBMatrixUpload(int index, float gains[3]);
ZOQ_EXPORT int ZOQ_HCCMMatrixProgram(int index, float matrix[3][3]);
ZOQ_EXPORT int ZOQ_HCCMMatrixReadout(int index, float matrix[3][3]);
ZOQ_EXPORT int ZOQ_HCCMMatrixUpload(int index, float matrix[3][3]);
ZOQ_EXPORT int ZOQ_LutFileProgram(int index, char* path);
ZOQ_EXPORT int ZOQ_LutDataProgram(int index, unsigned char* data, int length);
ZOQ_EXPORT int ZOQ_LutDataReadout(int index, unsigned char* data, int* length);
ZOQ_EXPORT int ZOQ_GammaLutFileProgram(int index, char* path);
ZOQ_EXPORT int ZOQ_GammaLutDataProgram(int index, unsigned short* data, int count);
ZOQ_EXPORT int ZOQ_GammaLutDataReadout(int index, unsigned short* data, int* count);

/* ---- Demosaic selection ---- */
ZOQ_EXPORT int ZOQ_BayerGetDefaultMode(int index, ZOQ_BAYERMODE* mode);
/* Stores the mode and answers RC_NOT_SUPPORTED (no preview picture to
 * update on this platform); the next RGB capture uses the new mode. */
ZOQ_EXPORT int ZOQ_BayerSetMode(int index, ZOQ_BAYERMODE mode);
ZOQ_EXPORT int ZOQ_BayerGetMode(int index, ZOQ_BAYERMODE* mode);
ZOQ_EXPORT int ZOQ_FilterSetMode(int index, ZOQ_FILTERMODE mode);
ZOQ_EXPORT int ZOQ_FilterGetMode(int index, ZOQ_FILTERMODE* mode);

/* ---- Tone tables: software gamma/contrast/brightness, camera LUTs ---- */
ZOQ_EXPORT int ZOQ_LutFileDownload(int index, const char* path);
ZOQ_EXPORT int ZOQ_LutDataDownload(int index, unsigned char* data, int length);
ZOQ_EXPORT int ZOQ_LutSetEnable(int index, bool enable);
ZOQ_EXPORT int ZOQ_LutGetEnable(int index, bool* enable);
ZOQ_EXPORT int ZOQ_GammaLutFileDownload(int index, const char* path);
ZOQ_EXPORT int ZOQ_GammaLutDataDownload(int index, unsigned short* data, int count);
ZOQ_EXPORT int ZOQ_GammaLutSetEnable(int index, bool enable);
ZOQ_EXPORT int ZOQ_GammaLutGetEnable(int index, bool* enable);
ZOQ_EXPORT int ZOQ_GammaGetRange(int index, int* min, int* max);
ZOQ_EXPORT int ZOQ_GammaSetValue(int index, int value);
ZOQ_EXPORT int ZOQ_GammaGetValue(int index, int* value);
ZOQ_EXPORT int ZOQ_ProcessContrastGetRange(int index, int* min, int* max);
ZOQ_EXPORT int ZOQ_ProcessContrastSet(int index, int value);
ZOQ_EXPORT int ZOQ_ProcessContrastGet(int index, int* value);
ZOQ_EXPORT int ZOQ_ProcessBrightnessGetRange(int index, int* min, int* max);
ZOQ_EXPORT int ZOQ_ProcessBrightnessSet(int index, int value);
ZOQ_EXPORT int ZOQ_ProcessBrightnessGet(int index, int* value);

/* ---- White balance and colour correction ---- */
ZOQ_EXPORT int ZOQ_WhiteBalanceSet(int index, ZOQ_WB_MODE mode);
ZOQ_EXPORT int ZOQ_WhiteBalanceGet(int index, ZOQ_WB_MODE* mode);
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoSet(int index, int phi);
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoGet(int index, int* phi);
/* gains: red, green, blue. */
ZOQ_EXPORT int ZOQ_WhiteBalanceMatrixSet(int index, float* gains);
ZOQ_EXPORT int ZOQ_WhiteBalanceMatrixGet(int index, float* gains);
ZOQ_EXPORT int ZOQ_WhiteBalancePresettingSet(int index, ZOQ_COLOR_TEMPRATURE preset);
ZOQ_EXPORT int ZOQ_WhiteBalancePresettingGet(int index, ZOQ_COLOR_TEMPRATURE* preset);
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoSetCallBack(int index, ZOQ_WB_CALLBACK callback,
                                               void* context);
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoSetCallBackEx(int index, ZOQ_WB_CALLBACK_EX callback,
                                                 void* context);
ZOQ_EXPORT int ZOQ_ColorCorrectionSet(int index, ZOQ_CCM_MODE mode);
ZOQ_EXPORT int ZOQ_ColorCorrectionGet(int index, ZOQ_CCM_MODE* mode);
ZOQ_EXPORT int ZOQ_ColorCorrectionMatrixSet(int index, float (*matrix)[3]);
ZOQ_EXPORT int ZOQ_ColorCorrectionMatrixGet(int index, float (*matrix)[3]);
ZOQ_EXPORT int ZOQ_ColorCorrectionPresettingSet(int index, ZOQ_COLOR_TEMPRATURE preset);
ZOQ_EXPORT int ZOQ_ColorCorrectionPresettingGet(int index, ZOQ_COLOR_TEMPRATURE* preset);
ZOQ_EXPORT int ZOQ_AWBSetRegion(int index, int x, int y, int width, int height);
ZOQ_EXPORT int ZOQ_AWBShowRegion(int index, bool show);
ZOQ_EXPORT int ZOQ_AWBGetRegion(int index, int* x, int* y, int* width, int* height, bool* show);

/* ---- Saturation and hue/saturation/lightness ---- */
ZOQ_EXPORT int ZOQ_ProcessSaturationGetRange(int index, int* min, int* max);
ZOQ_EXPORT int ZOQ_ProcessSaturationSet(int index, int value);
ZOQ_EXPORT int ZOQ_ProcessSaturationGet(int index, int* value);
ZOQ_EXPORT int ZOQ_HueSaturationSet(int index, ZOQHueRange range, int hue, int saturation,
                                    int lightness);
ZOQ_EXPORT int ZOQ_HueSaturationGet(int index, ZOQHueRange range, int* hue, int* saturation,
                                    int* lightness);
ZOQ_EXPORT int ZOQ_HueSaturationSetEnable(int index, bool enable);
ZOQ_EXPORT int ZOQ_HueSaturationGetEnable(int index, bool* enable);

/* ---- Auto exposure and auto focus ---- */
ZOQ_EXPORT int ZOQ_AESetRegion(int index, int x, int y, int width, int height);
ZOQ_EXPORT int ZOQ_AEShowRegion(int index, bool show);
ZOQ_EXPORT int ZOQ_AEGetRegion(int index, int* x, int* y, int* width, int* height, bool* show);
ZOQ_EXPORT int ZOQ_AESetPeakAveRatio(int index, float ratio);
ZOQ_EXPORT int ZOQ_AEGetPeakAveRatio(int index, float* ratio);
ZOQ_EXPORT int ZOQ_AESetExposureTimeRange(int index, float min, float max);
ZOQ_EXPORT int ZOQ_AEGetExposureTimeRange(int index, float* min, float* max);
ZOQ_EXPORT int ZOQ_AESetCallbackEx(int index, ZOQ_AE_CALLBACK_EX callback, void* context);
ZOQ_EXPORT int ZOQ_AESetMaxCount(int index, int maxCount);
ZOQ_EXPORT int ZOQ_AESetTarget(int index, int target);
ZOQ_EXPORT int ZOQ_AEStartEx(int index, bool start);
ZOQ_EXPORT int ZOQ_AEGetStatusEx(int index, bool* running, int* maxCount, int* target);
ZOQ_EXPORT int ZOQ_AESetCallback(int index, ZOQ_AE_CALLBACK callback, void* context);
ZOQ_EXPORT int ZOQ_AEStart(int index, bool start, int maxCount, int target);
ZOQ_EXPORT int ZOQ_AFSetRegion(int index, int x, int y, int width, int height);
ZOQ_EXPORT int ZOQ_AFGetRegion(int index, int* x, int* y, int* width, int* height, bool* show);
ZOQ_EXPORT int ZOQ_AFShowRegion(int index, bool show);
ZOQ_EXPORT int ZOQ_AFSetCallback(int index, ZOQ_AF_CALLBACK callback, void* context);
ZOQ_EXPORT int ZOQ_AFStart(int index, bool start);

/* ---- Flat field, dark frame, bad pixels, calibration map ---- */
ZOQ_EXPORT int ZOQ_SetFlatFieldCorrectionFieldOfView(int index, int columnStart, int rowStart,
                                                     int columnSize, int rowSize,
                                                     ZOQ_ADDRESSMODE columnMode,
                                                     ZOQ_ADDRESSMODE rowMode,
                                                     unsigned short multiFrameNum);
ZOQ_EXPORT int ZOQ_GetFlatFieldCorrectionFieldOfView(int index, int* columnStart, int* rowStart,
                                                     int* columnSize, int* rowSize,
                                                     ZOQ_ADDRESSMODE* columnMode,
                                                     ZOQ_ADDRESSMODE* rowMode,
                                                     unsigned short* multiFrameNum);
ZOQ_EXPORT int ZOQ_MakeDarkFrame(int index, int count);
ZOQ_EXPORT int ZOQ_MakeFlatFieldFrame(int index, int count);
ZOQ_EXPORT int ZOQ_PreviewSetFlatFieldCorrection(int index, bool enable);
ZOQ_EXPORT int ZOQ_PreviewGetFlatFieldCorrection(int index, bool* enable);
ZOQ_EXPORT int ZOQ_CaptureSetFlatFieldCorrection(int index, bool enable);
ZOQ_EXPORT int ZOQ_CaptureGetFlatFieldCorrection(int index, bool* enable);
ZOQ_EXPORT int ZOQ_SaveFlatFieldCorrection(int index, char* path);
ZOQ_EXPORT int ZOQ_LoadFlatFieldCorrection(int index, char* path);
ZOQ_EXPORT int ZOQ_PreviewSetCalibration(int index, bool enable);
ZOQ_EXPORT int ZOQ_PreviewGetCalibration(int index, bool* enable);
ZOQ_EXPORT int ZOQ_CaptureSetCalibration(int index, bool enable);
ZOQ_EXPORT int ZOQ_CaptureGetCalibration(int index, bool* enable);
ZOQ_EXPORT int ZOQ_LoadCalibrationMapFile(int index, const char* path);
ZOQ_EXPORT int ZOQ_SetCalibrationMapMode(int index, ZOQ_MAPMODE mode);
ZOQ_EXPORT int ZOQ_GetCalibrationMapMode(int index, ZOQ_MAPMODE* mode);
ZOQ_EXPORT int ZOQ_BadPixelCorrectionSetThreshold(int index, unsigned char low,
                                                  unsigned char high);
ZOQ_EXPORT int ZOQ_BadPixelCorrectionGetThreshold(int index, unsigned char* low,
                                                  unsigned char* high);
ZOQ_EXPORT int ZOQ_BadPixelCorrectionSet(int index, bool enable, ZOQ_THRESHOLD level);
ZOQ_EXPORT int ZOQ_BadPixelCorrectionGet(int index, bool* enable, ZOQ_THRESHOLD* level);

/* ---- Image files (no device index, no ZOQ_Init needed) ---- */
/* data: bottom-up rows of 8-bit gray, 24-bit or 32-bit BGR pixels. */
ZOQ_EXPORT int ZOQ_HelperSaveToBmp(const void* data, int width, int height, int bitCount,
                                   const char* path);
ZOQ_EXPORT int ZOQ_HelperSaveToJpg(unsigned char* data, int width, int height, int bitCount,
                                   int quality, const char* path);

/* ---- Preview: not available on this platform, every call answers
 * RC_NOT_SUPPORTED after the usual index checks ---- */
ZOQ_EXPORT int ZOQ_PreviewSetPos(int index, int x, int y, int width, int height);
ZOQ_EXPORT int ZOQ_PreviewGetPos(int index, int* x, int* y, int* width, int* height);
ZOQ_EXPORT int ZOQ_PreviewSetMode(int index, ZOQ_PREVIEWMODE mode);
ZOQ_EXPORT int ZOQ_PreviewGetMode(int index, ZOQ_PREVIEWMODE* mode);
ZOQ_EXPORT int ZOQ_PreviewGetDefaultMode(int index, ZOQ_PREVIEWMODE* mode);
ZOQ_EXPORT int ZOQ_PreviewStart(int index, void* window, bool start);
ZOQ_EXPORT int ZOQ_PreviewPause(int index, bool pause);
ZOQ_EXPORT int ZOQ_PreviewGetStatus(int index, ZOQ_PREVIEWSTATUS* status);
ZOQ_EXPORT int ZOQ_PreviewGetFrameRate(int index, float* fps);
ZOQ_EXPORT int ZOQ_PreviewGetPausedData(int index, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_PreviewGetPausedDataEx(int index, unsigned char* buffer, int* width,
                                          int* height, int* bitCount);
ZOQ_EXPORT int ZOQ_PreviewStartEx(int index, void* window, bool start,
                                  ZOQ_PREVIEW_CALLBACK callback, void* context);
ZOQ_EXPORT int ZOQ_PreviewGetStatusEx(int index, ZOQ_PREVIEWSTATUS* status, bool* paused);
ZOQ_EXPORT int ZOQ_PreviewGetFrameRateEx(int index, float* fps, unsigned int* frames);

ZOQ_END_C

#ifdef __cplusplus
/* Calibration-map helpers with C++ signatures (exported under their C++
 * symbols). ZOQ_ReadMapfromFile allocates mapX and mapY with new[]; the
 * caller frees both with delete[]. */
ZOQ_EXPORT bool ZOQ_ReadMapfromFile(const char* path, int& width, int& height, float*& mapX,
                                    float*& mapY);
ZOQ_EXPORT void ZOQ_Remap(unsigned char* src, int bytesPerPixel, int width, int height,
                          unsigned char* dst, float* mapX, float* mapY);
#endif

/* ---- Pixel helpers of the image file writers: rows without padding, in
 * place unless noted; each returns RC_SUCCESS, or RC_PARAMETER_ERROR for a
 * null buffer or a size or depth it cannot step through ---- */
ZOQ_BEGIN_C
/* Reverses the row order (row = width * bitCount / 8 bytes). */
ZOQ_EXPORT int Helper_FlipBmp(unsigned char* data, int width, int height, int bitCount);
/* Swaps the first and third byte of every 3-byte pixel. */
ZOQ_EXPORT int Helper_BGR24ToRGB24(unsigned char* data, int width, int height);
/* The same for 24- or 32-bit pixels (bitCount 24 or 32). */
ZOQ_EXPORT int Helper_BGRToRGB(unsigned char* data, int width, int height, int bitCount);
/* 4-byte pixels of src to 3-byte pixels of dst, dropping the fourth byte. */
ZOQ_EXPORT int Helper_Rgb32ToRgb24(unsigned char* src, int width, int height,
                                   unsigned char* dst);
ZOQ_END_C

#endif
