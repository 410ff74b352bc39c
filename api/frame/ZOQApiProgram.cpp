// The camera EEPROM: raw bytes and stored items.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_EEPROMTypeGet(int index, ZOQ_EEPROM_TYPE* type) {
    return ZOQ_FORWARD(index, GetEEPROMType, type);
}

ZOQ_API int ZOQ_WrEEPROM(int index, unsigned short address, unsigned char value) {
    return ZOQ_FORWARD(index, WrEEPROM, address, value);
}

ZOQ_API int ZOQ_RdEEPROM(int index, unsigned short address, unsigned char* value) {
    return ZOQ_FORWARD(index, RdEEPROM, address, value);
}

ZOQ_API int ZOQ_WrEEPROMEx(int index, unsigned int address, unsigned char value) {
    return ZOQ_FORWARD(index, WrEEPROMEx, address, value);
}

ZOQ_API int ZOQ_RdEEPROMEx(int index, unsigned int address, unsigned char* value) {
    return ZOQ_FORWARD(index, RdEEPROMEx, address, value);
}

ZOQ_API int ZOQ_WrEEPROMExEx(int index, unsigned int address, unsigned char* buffer, int count) {
    return ZOQ_FORWARD(index, WrEEPROMExEx, address, buffer, count);
}

ZOQ_API int ZOQ_RdEEPROMExEx(int index, unsigned int address, int count, unsigned char* buffer) {
    return ZOQ_FORWARD(index, RdEEPROMExEx, address, count, buffer);
}

ZOQ_API int ZOQ_SetSerials(int index, unsigned char serial) {
    return ZOQ_FORWARD(index, SetSerials, serial);
}

ZOQ_API int ZOQ_GetSerials(int index, unsigned char* serial) {
    return ZOQ_FORWARD(index, GetSerials, serial);
}

ZOQ_API int ZOQ_WorkingModeProgram(int index, unsigned short mode) {
    return ZOQ_FORWARD(index, ProgramWorkingMode, mode);
}

ZOQ_API int ZOQ_WorkingModeReadout(int index, unsigned short* mode) {
    return ZOQ_FORWARD(index, ReadoutWorkingMode, mode);
}

ZOQ_API int ZOQ_WorkingModeExProgram(int index, unsigned short mode) {
    return ZOQ_FORWARD(index, ProgramWorkingModeEx, mode);
}

ZOQ_API int ZOQ_WorkingModeExReadout(int index, unsigned short* mode) {
    return ZOQ_FORWARD(index, ReadoutWorkingModeEx, mode);
}

ZOQ_API int ZOQ_ColorModeProgram(int index, unsigned short mode) {
    return ZOQ_FORWARD(index, ProgramColorMode, mode);
}

ZOQ_API int ZOQ_ColorModeReadout(int index, unsigned short* mode) {
    return ZOQ_FORWARD(index, ReadoutColorMode, mode);
}

ZOQ_API int ZOQ_SerialsDescProgram(int index, unsigned char desc[16]) {
    return ZOQ_FORWARD(index, ProgramSerialsDesc, desc);
}

ZOQ_API int ZOQ_SerialsDescReadout(int index, unsigned char desc[16]) {
    return ZOQ_FORWARD(index, ReadoutSerialsDesc, desc);
}

ZOQ_API int ZOQ_LutInfoProgram(int index, unsigned short info) {
    return ZOQ_FORWARD(index, ProgramLutInfo, info);
}

ZOQ_API int ZOQ_LutInfoReadout(int index, unsigned short* info) {
    return ZOQ_FORWARD(index, ReadoutLutInfo, info);
}

ZOQ_API int ZOQ_GammaLutInfoProgram(int index, unsigned short info) {
    return ZOQ_FORWARD(index, ProgramGammaLutInfo, info);
}

ZOQ_API int ZOQ_GammaLutInfoReadout(int index, unsigned short* info) {
    return ZOQ_FORWARD(index, ReadoutGammaLutInfo, info);
}

ZOQ_API int ZOQ_HWBMatrixProgram(int index, float gains[3]) {
    return ZOQ_FORWARD(index, ProgramHWBMatrix, gains);
}

ZOQ_API int ZOQ_HWBMatrixReadout(int index, float gains[3]) {
    return ZOQ_FORWARD(index, ReadoutHWBMatrix, gains);
}

ZOQ_API int ZOQ_HWBMatrixUpload(int index, float gains[3]) {
    return ZOQ_FORWARD(index, UploadHWBMatrix, gains);
}

ZOQ_API int ZOQ_HCCMMatrixProgram(int index, float matrix[3][3]) {
    return ZOQ_FORWARD(index, ProgramHCCMMatrix, matrix);
}

ZOQ_API int ZOQ_HCCMMatrixReadout(int index, float matrix[3][3]) {
    return ZOQ_FORWARD(index, ReadoutHCCMMatrix, matrix);
}

ZOQ_API int ZOQ_HCCMMatrixUpload(int index, float matrix[3][3]) {
    return ZOQ_FORWARD(index, UploadHCCMMatrix, matrix);
}

ZOQ_API int ZOQ_LutFileProgram(int index, char* path) {
    return ZOQ_FORWARD(index, ProgramLutFile, path);
}

ZOQ_API int ZOQ_LutDataProgram(int index, unsigned char* data, int length) {
    return ZOQ_FORWARD(index, ProgramLutData, data, length);
}

ZOQ_API int ZOQ_LutDataReadout(int index, unsigned char* data, int* length) {
    return ZOQ_FORWARD(index, ReadoutLutData, data, length);
}

ZOQ_API int ZOQ_GammaLutFileProgram(int index, char* path) {
    return ZOQ_FORWARD(index, ProgramGammaLutFile, path);
}

ZOQ_API int ZOQ_GammaLutDataProgram(int index, unsigned short* data, int count) {
    return ZOQ_FORWARD(index, ProgramGammaLutData, data, count);
}

ZOQ_API int ZOQ_GammaLutDataReadout(int index, unsigned short* data, int* count) {
    return ZOQ_FORWARD(index, ReadoutGammaLutData, data, count);
}
