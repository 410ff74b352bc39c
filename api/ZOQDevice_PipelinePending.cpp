// Software image pipeline settings. Every operation here answers
// RC_NOT_SUPPORTED until the stage it belongs to exists in this library.
#include "ZOQDevice.h"

// Tone tables.
int CZOQDevice::DownloadLutFile(const char*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::DownloadLutData(unsigned char*, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetLutEnable(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetLutEnable(bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::DownloadGammaLutFile(const char*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::DownloadGammaLutData(unsigned short*, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetGammaLutEnable(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetGammaLutEnable(bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetGammaRange(int*, int*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetGamma(int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetGamma(int*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetContrastRange(int*, int*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetContrast(int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetContrast(int*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetBrightnessRange(int*, int*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetBrightness(int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetBrightness(int*) { return RC_NOT_SUPPORTED; }

// Auto exposure and auto focus.
int CZOQDevice::SetAERegion(int, int, int, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::ShowAERegion(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetAERegion(int*, int*, int*, int*, bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAEPeakAveRatio(float) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetAEPeakAveRatio(float*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAEExposureTimeRange(float, float) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetAEExposureTimeRange(float*, float*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAECallbackEx(ZOQ_AE_CALLBACK_EX, void*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAEMaxCount(int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAETarget(int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::StartAEEx(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetAEStatusEx(bool*, int*, int*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAECallback(ZOQ_AE_CALLBACK, void*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::StartAE(bool, int, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAFRegion(int, int, int, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetAFRegion(int*, int*, int*, int*, bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::ShowAFRegion(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetAFCallback(ZOQ_AF_CALLBACK, void*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::StartAF(bool) { return RC_NOT_SUPPORTED; }

// Flat field, dark frame, bad pixels, calibration map.
int CZOQDevice::SetFlatFieldCorrectionFieldOfView(int, int, int, int, ZOQ_ADDRESSMODE, ZOQ_ADDRESSMODE, unsigned short) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetFlatFieldCorrectionFieldOfView(int*, int*, int*, int*, ZOQ_ADDRESSMODE*, ZOQ_ADDRESSMODE*, unsigned short*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::MakeDarkFrame(int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::MakeFlatFieldFrame(int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetPreviewFlatFieldCorrectionEnable(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetPreviewFlatFieldCorrectionEnable(bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetCaptureFlatFieldCorrectionEnable(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetCaptureFlatFieldCorrectionEnable(bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SaveFlatFieldCorrection(char*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::LoadFlatFieldCorrection(char*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetPreviewCalibration(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetPreviewCalibration(bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetCaptureCalibration(bool) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetCaptureCalibration(bool*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::LoadCalibrationMapFile(const char*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetCalibrationMapMode(ZOQ_MAPMODE) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetCalibrationMapMode(ZOQ_MAPMODE*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetBadPixelCorrectionThreshold(unsigned char, unsigned char) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetBadPixelCorrectionThreshold(unsigned char*, unsigned char*) { return RC_NOT_SUPPORTED; }
int CZOQDevice::SetBadPixelCorrection(bool, ZOQ_THRESHOLD) { return RC_NOT_SUPPORTED; }
int CZOQDevice::GetBadPixelCorrection(bool*, ZOQ_THRESHOLD*) { return RC_NOT_SUPPORTED; }


// Pipeline stages.
int CZOQDevice::RawData8_Do_BadPixelCorrect(unsigned char*, int, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::RawData8_LoadTable_Brightness_Contrast_Gamma(unsigned char*, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::RawData8_Do_AE(unsigned char*, int, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::RawData8_Do_FFC(unsigned char*, ZOQ_FOV_INFO) { return RC_NOT_SUPPORTED; }
int CZOQDevice::RawData8_Do_3A_AF(unsigned char*, int, int) { return RC_NOT_SUPPORTED; }
int CZOQDevice::RgbData8_Do_Calibration(unsigned char*, int, int, int) { return RC_NOT_SUPPORTED; }
