#include "ModelTable.h"

#include <iterator>

namespace zoqsim {
namespace {

constexpr VersionRange major(uint8_t m) { return {m, m, 0, 0xFF}; }
constexpr VersionRange majors(uint8_t first, uint8_t last) { return {first, last, 0, 0xFF}; }
constexpr VersionRange exact(uint8_t m, uint8_t minorFirst, uint8_t minorLast) {
    return {m, m, minorFirst, minorLast};
}
constexpr CapabilityOverride set(VersionRange when, uint8_t byte, uint8_t value) {
    return {when, byte, value};
}

constexpr CapabilityOverrides kNone = {};
// Byte 16 after the FPGA configuration where it changes the Bayer mode.
constexpr CapabilityOverrides kFpga52 = {set(exact(6, 4, 5), 16, 0xFA), set(majors(8, 9), 16, 0xFA)};
constexpr CapabilityOverrides kFpga58 = {set(major(9), 16, 0xB8)};
constexpr CapabilityOverrides kFpga36 = {set(majors(8, 9), 16, 0xB8)};
constexpr CapabilityOverrides kFpga62 = {set(exact(1, 0, 0), 16, 0x3C), set(exact(5, 1, 1), 16, 0x3C),
                                         set(exact(5, 5, 5), 16, 0x3C), set(exact(6, 0, 1), 16, 0x3C)};
// Firmware-dependent base bytes: MT9T001 from 1.6 on, MT9V034 5.x and 6.x.
constexpr CapabilityOverrides kFirmware3 = {set({1, 0xFF, 6, 0xFF}, 16, 0xFC)};
constexpr CapabilityOverrides kFirmware36 = {set(major(5), 14, 0x01), set(major(6), 14, 0x01)};

constexpr uint16_t kVendor = 0x0816;

// Default product ids: 0x1A11 upwards, one per row, all in the SDK's table.
// Default versions give each model its richest capability set: FPGA 8.x or
// 9.x where the FPGA table lists them (52 and 36: 9.x, 104: 8.x), the best
// listed version otherwise (53 and 63: 6.5, 59: 6.3); firmware avoids the
// versions that hide the FPGA version registers (52: 3.1) or take away
// store flags (53: 3.4, 62/63: 1.0), and picks 1.6 for type 3 (RGGB), 6.0
// for type 36 (the 16 KiB EEPROM) and 4.0 for type 61. Type 36 runs at
// 48 MHz with firmware 6.x and at 27 MHz otherwise.
constexpr ModelInfo kModels[] = {
    {.deviceType = 3, .variant = Variant::kDefault, .chip = &kChipMt9t001, .pixelClockMHz = 48,
     .idVendor = kVendor, .idProduct = 0x1A11, .firmware = 0x0106, .fpga = 0x0100,
     .capability13 = 0x00, .capability14 = 0x00, .capability16 = 0xFA,
     .byFirmware = kFirmware3, .byFpga = kNone},
    {.deviceType = 36, .variant = Variant::kDefault, .chip = &kChipMt9v034, .pixelClockMHz = 27,
     .otherClockFirmware = major(6), .otherPixelClockMHz = 48,
     .idVendor = kVendor, .idProduct = 0x1A12, .firmware = 0x0600, .fpga = 0x0900,
     .capability13 = 0x10, .capability14 = 0x00, .capability16 = 0xBE,
     .byFirmware = kFirmware36, .byFpga = kFpga36},
    {.deviceType = 52, .variant = Variant::kDefault, .chip = &kChipMt9p031, .pixelClockMHz = 96,
     .idVendor = kVendor, .idProduct = 0x1A13, .firmware = 0x0302, .fpga = 0x0900,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0xFC,
     .byFirmware = kNone, .byFpga = kFpga52},
    {.deviceType = 53, .variant = Variant::kDefault, .chip = &kChipMt9p031, .pixelClockMHz = 96,
     .idVendor = kVendor, .idProduct = 0x1A14, .firmware = 0x0302, .fpga = 0x0605,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0xFD,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 58, .variant = Variant::kDefault, .chip = &kChipEv76c560, .pixelClockMHz = 57,
     .idVendor = kVendor, .idProduct = 0x1A15, .firmware = 0x0100, .fpga = 0x0900,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0xBE,
     .byFirmware = kNone, .byFpga = kFpga58},
    {.deviceType = 59, .variant = Variant::kDefault, .chip = &kChipEv76c560, .pixelClockMHz = 57,
     .idVendor = kVendor, .idProduct = 0x1A16, .firmware = 0x0100, .fpga = 0x0603,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0xBD,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 61, .variant = Variant::kDefault, .chip = &kChipMt9v034, .pixelClockMHz = 27,
     .idVendor = kVendor, .idProduct = 0x1A17, .firmware = 0x0400, .fpga = 0x0100,
     .capability13 = 0x20, .capability14 = 0x00, .capability16 = 0x3D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 62, .variant = Variant::kDefault, .chip = &kChipMt9m031, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A18, .firmware = 0x0101, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x3A,
     .byFirmware = kNone, .byFpga = kFpga62},
    {.deviceType = 63, .variant = Variant::kDefault, .chip = &kChipMt9m031, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A19, .firmware = 0x0101, .fpga = 0x0605,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x3D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 67, .variant = Variant::kDefault, .chip = &kChipMt9m001, .pixelClockMHz = 48,
     .idVendor = kVendor, .idProduct = 0x1A1A, .firmware = 0x0100, .fpga = 0x0100,
     .capability13 = 0x10, .capability14 = 0x01, .capability16 = 0xB5,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 86, .variant = Variant::kDefault, .chip = &kChipImx174, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A1B, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1C,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 87, .variant = Variant::kDefault, .chip = &kChipImx174, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A1C, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 88, .variant = Variant::kDefault, .chip = &kChipImx178, .pixelClockMHz = 74.25,
     .idVendor = kVendor, .idProduct = 0x1A1D, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x2C,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 89, .variant = Variant::kDefault, .chip = &kChipImx178, .pixelClockMHz = 74.25,
     .idVendor = kVendor, .idProduct = 0x1A1E, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x2D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 92, .variant = Variant::kDefault, .chip = &kChipImx249, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A1F, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1C,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 93, .variant = Variant::kDefault, .chip = &kChipImx249, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A20, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 95, .variant = Variant::kDefault, .chip = &kChipImx264, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A21, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 104, .variant = Variant::kDefault, .chip = &kChipImx250, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A22, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x04,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 106, .variant = Variant::kDefault, .chip = &kChipImx174, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A23, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1C,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 107, .variant = Variant::kDefault, .chip = &kChipImx174, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A24, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 111, .variant = Variant::kDefault, .chip = &kChipIsg4006a, .pixelClockMHz = 400,
     .idVendor = kVendor, .idProduct = 0x1A25, .firmware = 0x0100, .fpga = 0x0900,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x14,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 114, .variant = Variant::kDefault, .chip = &kChipImx287, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A26, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1D,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 115, .variant = Variant::kDefault, .chip = &kChipImx290, .pixelClockMHz = 148.5,
     .idVendor = kVendor, .idProduct = 0x1A27, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1C,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 115, .variant = Variant::kIsg1307, .chip = &kChipIsg1307, .pixelClockMHz = 600,
     .idVendor = kVendor, .idProduct = 0x1A28, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x11,
     .byFirmware = kNone, .byFpga = kNone},
    {.deviceType = 120, .variant = Variant::kDefault, .chip = &kChipImx265, .pixelClockMHz = 99,
     .idVendor = kVendor, .idProduct = 0x1A29, .firmware = 0x0100, .fpga = 0x0800,
     .capability13 = 0x90, .capability14 = 0x00, .capability16 = 0x1D,
     .byFirmware = kNone, .byFpga = kNone},
};

void apply(const CapabilityOverrides& overrides, uint16_t version, uint8_t (&bytes)[19]) {
    for (const CapabilityOverride& o : overrides)
        if (o.byte != 0 && o.when.contains(version)) bytes[o.byte] = o.value;
}

}  // namespace

const ModelInfo* findModel(int deviceType, Variant variant) {
    for (const ModelInfo& m : kModels)
        if (m.deviceType == deviceType && m.variant == variant) return &m;
    return nullptr;
}

ModelList allModels() { return {kModels, std::size(kModels)}; }

CameraTraits resolveTraits(const ModelInfo& model, uint16_t firmware, uint16_t fpga) {
    uint8_t bytes[19] = {};
    bytes[13] = model.capability13;
    bytes[14] = model.capability14;
    bytes[16] = model.capability16;
    apply(model.byFirmware, firmware, bytes);
    apply(model.byFpga, fpga, bytes);
    return {.mono = (bytes[16] & 1) != 0,
            .bayerPattern = (bytes[16] >> 1) & 3,
            .eepromType = (bytes[13] >> 7) | ((bytes[14] & 3) << 1)};
}

std::size_t eepromBytes(int eepromType) {
    switch (eepromType) {
    case 0: return 8u << 10;
    case 1: return 256u << 10;
    case 2: return 16u << 10;
    default: return 0;
    }
}

double pixelClockFor(const ModelInfo& model, uint16_t firmware) {
    return model.otherClockFirmware.contains(firmware) ? model.otherPixelClockMHz
                                                       : model.pixelClockMHz;
}

}  // namespace zoqsim
