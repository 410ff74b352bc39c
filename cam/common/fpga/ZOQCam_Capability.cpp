/* CZOQCam: the capability record filled from the plug-in's table. */
#include "fpga/ZOQCam_Imp.h"

namespace {

constexpr std::size_t kFpgaBytes = 7;  // bytes 0..6
constexpr std::size_t kBayerByte = 16;
constexpr float kKiloHertzPerMegaHertz = 1000.0f;

const ZOQFpgaRow* FindFpgaRow(const ZOQCapabilityTable& table, unsigned char major,
                              unsigned char minor) {
    for (const ZOQFpgaRow& row : table.fpga)
        for (const ZOQVersionMatch& version : row.versions)
            if (version.Matches(major, minor)) return &row;
    return nullptr;
}

}  // namespace

void CZOQCam::Cam_CapConfiguration_Base() {
    const ZOQCapabilityTable& table = m_CapabilityTable;
    m_Capability = ZOQCapabilityRecord{};
    for (std::size_t i = 0; i < ZOQCapabilityTable::kBaseBytes; ++i)
        m_Capability.byte[ZOQCapabilityTable::kBaseFirst + i] = table.base[i];
    for (const ZOQFirmwareOverride& change : table.firmware)
        if (change.firmware.Matches(m_byFirmwareMajor, m_byFirmwareMinor))
            m_Capability.byte[change.byte] = change.value;

    m_fPixelClock = table.pixelClockMHz;
    if (table.altPixelClockMHz != 0.0f &&
        table.altPixelClockFirmware.Matches(m_byFirmwareMajor, m_byFirmwareMinor))
        m_fPixelClock = table.altPixelClockMHz;
    // One clock period in milliseconds: 1 / (MHz * 1000).
    m_fPixelClockPeriod = 1.0f / (m_fPixelClock * kKiloHertzPerMegaHertz);
}

void CZOQCam::Cam_CapConfiguration_Fpga() {
    const ZOQFpgaRow* row = FindFpgaRow(m_CapabilityTable, m_byFpgaMajor, m_byFpgaMinor);
    for (std::size_t i = 0; i < kFpgaBytes; ++i) m_Capability.byte[i] = row ? row->bytes[i] : 0;
    if (row && row->byte16 >= 0) {
        ZOQCapabilityRecord source{};
        source.byte[kBayerByte] = static_cast<unsigned char>(row->byte16);
        m_Capability.SetField(CAP_DEFAULT_BAYER, 2, source.Field(CAP_DEFAULT_BAYER, 2));
    }
}
