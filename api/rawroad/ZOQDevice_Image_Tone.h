// The software tone tables of the raw road: gamma, contrast and brightness,
// each a 256-entry table built from one integer setting when it changes. A
// table whose setting is 0 is not applied; the ones in use are folded into
// one table, so a frame costs one look-up per sample.
#pragma once

#include <cstddef>

class ZoqToneTables {
public:
    static constexpr int kGammaMin = -9;
    static constexpr int kGammaMax = 9;
    static constexpr int kLevelMin = -128;  // contrast and brightness
    static constexpr int kLevelMax = 127;

    ZoqToneTables();

    // Each setter clamps to its range and rebuilds only on a new value. The
    // gamma setter compares the value before clamping, so 12 over a stored
    // 9 rebuilds the same table.
    void SetGamma(int value);
    void SetContrast(int value);
    void SetBrightness(int value);
    int Gamma() const { return m_gamma; }
    int Contrast() const { return m_contrast; }
    int Brightness() const { return m_brightness; }

    const unsigned char* GammaTable() const { return m_gammaTable; }
    const unsigned char* ContrastTable() const { return m_contrastTable; }
    const unsigned char* BrightnessTable() const { return m_brightnessTable; }

    // sample := brightness[contrast[gamma[sample]]], skipping the tables
    // whose value is 0.
    void Apply(unsigned char* data, size_t count) const;

private:
    void Combine();

    int m_gamma = 0;
    int m_contrast = 0;
    int m_brightness = 0;
    bool m_active = false;
    unsigned char m_gammaTable[256];
    unsigned char m_contrastTable[256];
    unsigned char m_brightnessTable[256];
    unsigned char m_combined[256];
};
