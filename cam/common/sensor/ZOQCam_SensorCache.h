/* Shadows of a chip's mirrored sensor registers. The register list is the
 * chip's static data; the values start at zero. */
#ifndef ZOQCAM_SENSORCACHE_H
#define ZOQCAM_SENSORCACHE_H

#include "sensor/ZOQCam_SensorLayout.h"

class CZOQSensorCache {
public:
    explicit CZOQSensorCache(const ZOQRegisterList& registers) : m_Registers(registers) {}

    // The shadow of a register, or null when the register is not cached.
    unsigned short* Find(unsigned int reg) {
        for (std::size_t i = 0; i < m_Registers.count; ++i)
            if (m_Registers.regs[i] == reg) return &m_Values[i];
        return nullptr;
    }
    // The shadow's value; 0 for a register that is not cached.
    unsigned short Get(unsigned int reg) const {
        for (std::size_t i = 0; i < m_Registers.count; ++i)
            if (m_Registers.regs[i] == reg) return m_Values[i];
        return 0;
    }
    void Clear() {
        for (unsigned short& value : m_Values) value = 0;
    }
    const ZOQRegisterList& Registers() const { return m_Registers; }

private:
    ZOQRegisterList m_Registers;
    unsigned short m_Values[kZOQMaxSensorRegisters] = {};
};

#endif
