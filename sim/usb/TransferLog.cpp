#include "usb/TransferLog.h"

namespace zoqsim {

void TransferLog::addControl(const UsbSetup& setup, const uint8_t* data, std::size_t length,
                             Outcome outcome) {
    if (!m_enabled)
        return;
    const std::size_t offset = m_controlData.size();
    if (data != nullptr)
        m_controlData.insert(m_controlData.end(), data, data + length);
    else
        length = 0;
    m_controls.push_back({m_sequence++, setup, offset, length, outcome});
}

void TransferLog::addBulk(uint8_t endpoint, uint32_t requested, uint32_t actual, Outcome outcome) {
    if (m_enabled)
        m_bulks.push_back({m_sequence++, endpoint, requested, actual, outcome});
}

std::vector<ControlRecord> TransferLog::controls() const {
    std::vector<ControlRecord> out;
    out.reserve(m_controls.size());
    for (const ControlEntry& e : m_controls) {
        const auto first = m_controlData.begin() + static_cast<std::ptrdiff_t>(e.offset);
        out.push_back({e.sequence, e.setup,
                       std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(e.length)),
                       e.outcome});
    }
    return out;
}

std::vector<BulkRecord> TransferLog::bulks() const { return m_bulks; }

void TransferLog::clear() {
    m_controls.clear();
    m_controlData.clear();
    m_bulks.clear();
}

}  // namespace zoqsim
