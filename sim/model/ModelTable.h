// Per-model facts: which chip, which USB ids, which firmware and FPGA
// versions by default, and the capability bytes the camera's colour, Bayer
// pattern and EEPROM size follow from, with the version-dependent changes the
// SDK's capability configuration makes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "CameraModel.h"
#include "Chip.h"

namespace zoqsim {

// Versions major.minor within the given bounds (inclusive).
struct VersionRange {
    uint8_t majorMin;
    uint8_t majorMax;
    uint8_t minorMin;
    uint8_t minorMax;

    bool contains(uint16_t version) const {
        const unsigned major = version >> 8, minor = version & 0xFF;
        return major >= majorMin && major <= majorMax && minor >= minorMin && minor <= minorMax;
    }
};

// With a version in `when`, capability byte `byte` becomes `value`
// (byte 0 marks an unused slot).
struct CapabilityOverride {
    VersionRange when;
    uint8_t byte;
    uint8_t value;
};

using CapabilityOverrides = std::array<CapabilityOverride, 4>;

struct ModelInfo {
    int deviceType;
    Variant variant;
    const Chip* chip;
    double pixelClockMHz;
    // Firmware versions that run the sensor on another clock (an empty range
    // when none does), as the plug-in's capability configuration assumes.
    VersionRange otherClockFirmware = {1, 0, 0, 0};
    double otherPixelClockMHz = 0;
    uint16_t idVendor;
    uint16_t idProduct;
    uint16_t firmware;  // defaults chosen for the richest capability set
    uint16_t fpga;
    uint8_t capability13;  // bit 7: EEPROM type bit 0
    uint8_t capability14;  // bits 0-1: EEPROM type bits 1-2
    uint8_t capability16;  // bit 0 mono, bits 1-2 default Bayer mode
    CapabilityOverrides byFirmware;
    CapabilityOverrides byFpga;
};

const ModelInfo* findModel(int deviceType, Variant variant);

struct ModelList {
    const ModelInfo* items;
    std::size_t count;
};
ModelList allModels();

// What the camera is like for the given versions.
struct CameraTraits {
    bool mono;
    int bayerPattern;
    int eepromType;
};
CameraTraits resolveTraits(const ModelInfo& model, uint16_t firmware, uint16_t fpga);

// The sensor's pixel clock with this firmware.
double pixelClockFor(const ModelInfo& model, uint16_t firmware);

// EEPROM bytes of an EEPROM type (0 for a type without an EEPROM).
std::size_t eepromBytes(int eepromType);

}  // namespace zoqsim
