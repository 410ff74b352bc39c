// The camera's non-volatile store: raw EEPROM access and the typed items
// kept near the top of the EEPROM, placed by the EEPROM type of the model.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "ZoqFinite.h"
#include "device/ZOQDevice.h"
#include "usb/IZOQBus.h"

namespace {

// How an item travels: one byte request per byte, or one block request.
enum class Access { None, Byte, Block };

struct Placement {
    Access access;
    unsigned int address;
};

struct Item {
    ZOQ_FUNCTION function;
    ZOQ_FUNCTION secondFunction;  // a second capability the item needs, or -1
    Placement type[3];            // by ZOQ_EEPROM_TYPE 0, 1, 2
};

constexpr ZOQ_FUNCTION kNoFunction = static_cast<ZOQ_FUNCTION>(-1);
constexpr Placement kNone = {Access::None, 0};

constexpr Item kWorkingMode = {
    ZOQ_FUNC_EEPROM_WORKING_MODE,
    kNoFunction,
    {{Access::Byte, 0x1FF0}, {Access::Block, 0x3FFF0}, {Access::Block, 0x3FF0}}};
constexpr Item kWorkingModeEx = {
    ZOQ_FUNC_EEPROM_WORKING_MODE_EX, kNoFunction, {kNone, {Access::Block, 0x3FFF4}, kNone}};
constexpr Item kColorMode = {
    ZOQ_FUNC_EEPROM_COLOR_MODE,
    kNoFunction,
    {{Access::Byte, 0x1FF2}, {Access::Block, 0x3FFF2}, {Access::Block, 0x3FF2}}};
constexpr Item kSerialsDesc = {
    ZOQ_FUNC_EEPROM_SERIALS_DESC, kNoFunction, {kNone, {Access::Block, 0x3FFE0}, kNone}};
constexpr Item kLutInfo = {ZOQ_FUNC_EEPROM_LUT_INFO,
                           kNoFunction,
                           {kNone, {Access::Byte, 0x2FFF0}, {Access::Byte, 0x28F0}}};
constexpr Item kGammaLutInfo = {
    ZOQ_FUNC_EEPROM_LUT_INFO, kNoFunction, {kNone, {Access::Byte, 0x2FFF2}, kNone}};
constexpr Item kHWBMatrix = {
    ZOQ_FUNC_EEPROM_MATRICES, ZOQ_FUNC_WB_GAINS_WRITABLE, {kNone, {Access::Byte, 0x3F000}, kNone}};
constexpr Item kHCCMMatrix = {
    ZOQ_FUNC_EEPROM_MATRICES, ZOQ_FUNC_CCM_WRITABLE, {kNone, {Access::Byte, 0x3F006}, kNone}};

// Address of the serial number byte by EEPROM type.
constexpr unsigned int kSerialAddress[3] = {0x1FFF, 0x3FFFF, 0x3FFF};

constexpr float kMatrixScale = 4096.0f;

// value * 4096 truncated toward zero, as the low 16 bits of its integer;
// values beyond the integer range saturate instead of overflowing.
uint16_t EncodeFixed(float value) {
    double scaled = std::trunc(static_cast<double>(value) * kMatrixScale);
    if (!(scaled == scaled)) scaled = 0.0;  // NaN
    scaled = std::fmax(scaled, static_cast<double>(std::numeric_limits<int32_t>::min()));
    scaled = std::fmin(scaled, static_cast<double>(std::numeric_limits<int32_t>::max()));
    return static_cast<uint16_t>(static_cast<uint32_t>(static_cast<int32_t>(scaled)));
}

float DecodeFixed(uint8_t low, uint8_t high) {
    auto raw = static_cast<int16_t>(static_cast<uint16_t>(low | (high << 8)));
    return static_cast<float>(raw) * 0.000244140625f;
}

}  // namespace

// ---- Raw access ----

int CZOQDevice::WrEEPROM(unsigned short address, unsigned char value) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_WrEEPROM, address, value);
}

int CZOQDevice::RdEEPROM(unsigned short address, unsigned char* value) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_RdEEPROM, address, value);
}

int CZOQDevice::WrEEPROMEx(unsigned int address, unsigned char value) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_WrEEPROMEx, address, value);
}

int CZOQDevice::RdEEPROMEx(unsigned int address, unsigned char* value) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_RdEEPROMEx, address, value);
}

int CZOQDevice::WrEEPROMExEx(unsigned int address, unsigned char* buffer, int count) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_WrEEPROMExEx, address, buffer,
                   count);
}

int CZOQDevice::RdEEPROMExEx(unsigned int address, int count, unsigned char* buffer) {
    return BusCall(RC_BUS_NOT_INITIALIZED, &IZOQBus::VendorCmd_RdEEPROMExEx, address, count,
                   buffer);
}

int CZOQDevice::GetEEPROMType(ZOQ_EEPROM_TYPE* type) {
    return CamCall(RC_NOT_INITIALIZED, &IZOQCam::Cam_GetEEPROMType, type);
}

// ---- Typed items ----

namespace {

bool Reports(IZOQCam* cam, ZOQ_FUNCTION function) {
    int supported = 0;
    return cam->Cam_QueryFunction(function, &supported) == RC_SUCCESS && supported != 0;
}

// Where an item lives on this camera; RC_NOT_SUPPORTED when the camera lacks
// one of the item's capabilities or its EEPROM type has no place for it.
int Locate(IZOQCam* cam, const Item& item, int* eepromType, Placement* placement) {
    for (ZOQ_FUNCTION function : {item.function, item.secondFunction})
        if (function != kNoFunction && !Reports(cam, function)) return RC_NOT_SUPPORTED;
    ZOQ_EEPROM_TYPE type = ZOQ_EEPROM_TYPE_16BIT_8K;
    cam->Cam_GetEEPROMType(&type);
    *eepromType = type;
    if (type < 0 || type > 2 || item.type[type].access == Access::None) return RC_NOT_SUPPORTED;
    *placement = item.type[type];
    return RC_SUCCESS;
}

}  // namespace

// Byte requests: 16-bit addresses for types 0 and 2, 24-bit for type 1.
static int WriteByte(CZOQDevice& device, int eepromType, unsigned int address, uint8_t value) {
    if (eepromType == ZOQ_EEPROM_TYPE_24BIT_256K) return device.WrEEPROMEx(address, value);
    return device.WrEEPROM(static_cast<unsigned short>(address), value);
}

static int ReadByte(CZOQDevice& device, int eepromType, unsigned int address, uint8_t* value) {
    if (eepromType == ZOQ_EEPROM_TYPE_24BIT_256K) return device.RdEEPROMEx(address, value);
    return device.RdEEPROM(static_cast<unsigned short>(address), value);
}

// Writes or reads the bytes of an item, stopping at the first failure.
template <bool kWrite>
static int TransferItem(CZOQDevice& device, int eepromType, const Placement& placement,
                        uint8_t* bytes, int count) {
    if (placement.access == Access::Block) {
        return kWrite ? device.WrEEPROMExEx(placement.address, bytes, count)
                      : device.RdEEPROMExEx(placement.address, count, bytes);
    }
    for (int i = 0; i < count; ++i) {
        unsigned int address = placement.address + static_cast<unsigned int>(i);
        int rc = kWrite ? WriteByte(device, eepromType, address, bytes[i])
                        : ReadByte(device, eepromType, address, &bytes[i]);
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

static int ProgramWord(CZOQDevice& device, IZOQCam* cam, const Item& item, unsigned short value) {
    if (cam == nullptr) return RC_NOT_INITIALIZED;
    int eepromType = 0;
    Placement placement{};
    int rc = Locate(cam, item, &eepromType, &placement);
    if (rc != RC_SUCCESS) return rc;
    uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
    return TransferItem<true>(device, eepromType, placement, bytes, 2);
}

// clearUnplaced: the LUT information reads report 0 when the item has no
// place on this EEPROM type.
static int ReadoutWord(CZOQDevice& device, IZOQCam* cam, const Item& item, unsigned short* value,
                       bool clearUnplaced = false) {
    if (cam == nullptr) return RC_NOT_INITIALIZED;
    if (value == nullptr) return RC_PARAMETER_ERROR;
    int eepromType = 0;
    Placement placement{};
    int rc = Locate(cam, item, &eepromType, &placement);
    if (rc != RC_SUCCESS) {
        if (clearUnplaced) *value = 0;
        return rc;
    }
    uint8_t bytes[2] = {0, 0};
    rc = TransferItem<false>(device, eepromType, placement, bytes, 2);
    if (rc == RC_SUCCESS) *value = static_cast<unsigned short>(bytes[0] | (bytes[1] << 8));
    return rc;
}

static int ProgramMatrix(CZOQDevice& device, IZOQCam* cam, const Item& item, const float* values,
                         int count) {
    if (cam == nullptr) return RC_NOT_INITIALIZED;
    if (values == nullptr || !zoq::AllFinite(values, static_cast<size_t>(count)))
        return RC_PARAMETER_ERROR;
    int eepromType = 0;
    Placement placement{};
    int rc = Locate(cam, item, &eepromType, &placement);
    if (rc != RC_SUCCESS) return rc;
    uint8_t bytes[18];
    for (int i = 0; i < count; ++i) {
        uint16_t fixed = EncodeFixed(values[i]);
        bytes[2 * i] = static_cast<uint8_t>(fixed & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(fixed >> 8);
    }
    return TransferItem<true>(device, eepromType, placement, bytes, 2 * count);
}

static int ReadoutMatrix(CZOQDevice& device, IZOQCam* cam, const Item& item, float* values,
                         int count) {
    if (cam == nullptr) return RC_NOT_INITIALIZED;
    if (values == nullptr) return RC_PARAMETER_ERROR;
    int eepromType = 0;
    Placement placement{};
    int rc = Locate(cam, item, &eepromType, &placement);
    if (rc != RC_SUCCESS) return rc;
    // Each value is filled as soon as its two bytes are in.
    for (int i = 0; i < count; ++i) {
        Placement pair = {placement.access, placement.address + 2u * static_cast<unsigned>(i)};
        uint8_t bytes[2] = {0, 0};
        rc = TransferItem<false>(device, eepromType, pair, bytes, 2);
        if (rc != RC_SUCCESS) return rc;
        values[i] = DecodeFixed(bytes[0], bytes[1]);
    }
    return RC_SUCCESS;
}

int CZOQDevice::SetSerials(unsigned char serial) {
    DEVICE_NEEDS_BUS(RC_BUS_NOT_INITIALIZED);
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    ZOQ_EEPROM_TYPE type = ZOQ_EEPROM_TYPE_16BIT_8K;
    m_pCam->Cam_GetEEPROMType(&type);
    if (type < 0 || type > 2) return RC_NOT_SUPPORTED;
    return WriteByte(*this, type, kSerialAddress[type], serial);
}

int CZOQDevice::GetSerials(unsigned char* serial) {
    if (serial == nullptr) return RC_PARAMETER_ERROR;
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    ZOQ_EEPROM_TYPE type = ZOQ_EEPROM_TYPE_16BIT_8K;
    m_pCam->Cam_GetEEPROMType(&type);
    if (type < 0 || type > 2) return RC_NOT_SUPPORTED;
    return ReadByte(*this, type, kSerialAddress[type], serial);
}

int CZOQDevice::ProgramWorkingMode(unsigned short mode) {
    return ProgramWord(*this, m_pCam, kWorkingMode, mode);
}
int CZOQDevice::ReadoutWorkingMode(unsigned short* mode) {
    return ReadoutWord(*this, m_pCam, kWorkingMode, mode);
}
int CZOQDevice::ProgramWorkingModeEx(unsigned short mode) {
    return ProgramWord(*this, m_pCam, kWorkingModeEx, mode);
}
int CZOQDevice::ReadoutWorkingModeEx(unsigned short* mode) {
    return ReadoutWord(*this, m_pCam, kWorkingModeEx, mode);
}
int CZOQDevice::ProgramColorMode(unsigned short mode) {
    return ProgramWord(*this, m_pCam, kColorMode, mode);
}
int CZOQDevice::ReadoutColorMode(unsigned short* mode) {
    return ReadoutWord(*this, m_pCam, kColorMode, mode);
}
int CZOQDevice::ProgramLutInfo(unsigned short info) {
    return ProgramWord(*this, m_pCam, kLutInfo, info);
}
int CZOQDevice::ReadoutLutInfo(unsigned short* info) {
    return ReadoutWord(*this, m_pCam, kLutInfo, info, true);
}
int CZOQDevice::ProgramGammaLutInfo(unsigned short info) {
    return ProgramWord(*this, m_pCam, kGammaLutInfo, info);
}
int CZOQDevice::ReadoutGammaLutInfo(unsigned short* info) {
    return ReadoutWord(*this, m_pCam, kGammaLutInfo, info, true);
}

int CZOQDevice::ProgramSerialsDesc(unsigned char desc[16]) {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    if (desc == nullptr) return RC_PARAMETER_ERROR;
    int eepromType = 0;
    Placement placement{};
    int rc = Locate(m_pCam, kSerialsDesc, &eepromType, &placement);
    if (rc != RC_SUCCESS) return rc;
    return TransferItem<true>(*this, eepromType, placement, desc, 16);
}

int CZOQDevice::ReadoutSerialsDesc(unsigned char desc[16]) {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    if (desc == nullptr) return RC_PARAMETER_ERROR;
    int eepromType = 0;
    Placement placement{};
    int rc = Locate(m_pCam, kSerialsDesc, &eepromType, &placement);
    if (rc != RC_SUCCESS) return rc;
    return TransferItem<false>(*this, eepromType, placement, desc, 16);
}

int CZOQDevice::ProgramHWBMatrix(float gains[3]) {
    return ProgramMatrix(*this, m_pCam, kHWBMatrix, gains, 3);
}
int CZOQDevice::ReadoutHWBMatrix(float gains[3]) {
    return ReadoutMatrix(*this, m_pCam, kHWBMatrix, gains, 3);
}
int CZOQDevice::ProgramHCCMMatrix(float matrix[3][3]) {
    return ProgramMatrix(*this, m_pCam, kHCCMMatrix, matrix == nullptr ? nullptr : matrix[0], 9);
}
int CZOQDevice::ReadoutHCCMMatrix(float matrix[3][3]) {
    return ReadoutMatrix(*this, m_pCam, kHCCMMatrix, matrix == nullptr ? nullptr : matrix[0], 9);
}

// The gains and matrix currently set in the camera's FPGA (not the EEPROM).
int CZOQDevice::UploadHWBMatrix(float gains[3]) {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    if (!Reports(m_pCam, ZOQ_FUNC_WB_GAINS_WRITABLE)) return RC_NOT_SUPPORTED;
    return gains == nullptr ? RC_PARAMETER_ERROR : m_pCam->Fpga_GetAwbMatrix(gains);
}

int CZOQDevice::UploadHCCMMatrix(float matrix[3][3]) {
    DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
    if (!Reports(m_pCam, ZOQ_FUNC_CCM_WRITABLE)) return RC_NOT_SUPPORTED;
    return matrix == nullptr ? RC_PARAMETER_ERROR : m_pCam->Fpga_GetCcmMatrix(matrix);
}

// Storing whole tables in the EEPROM has no defined layout, so these report
// that they cannot do it rather than pretending they did.
int CZOQDevice::ProgramLutFile(char*) {
    return TableStoreAnswer();
}
int CZOQDevice::ProgramLutData(unsigned char*, int) {
    return TableStoreAnswer();
}
int CZOQDevice::ReadoutLutData(unsigned char*, int*) {
    return TableStoreAnswer();
}
int CZOQDevice::ProgramGammaLutFile(char*) {
    return TableStoreAnswer();
}
int CZOQDevice::ProgramGammaLutData(unsigned short*, int) {
    return TableStoreAnswer();
}
int CZOQDevice::ReadoutGammaLutData(unsigned short*, int*) {
    return TableStoreAnswer();
}
