/* Shadow copies of the registers that carry a setting, so that a setter
 * writes only on change and a recovered camera can be given its state back.
 * The register list is fixed data of the model; the values start at zero. */
#ifndef ZOQCAM_REGISTERCACHE_H
#define ZOQCAM_REGISTERCACHE_H

#include <cstddef>

template <std::size_t N>
class CZOQRegisterCache {
public:
    explicit CZOQRegisterCache(const unsigned short (&registers)[N]) : m_pRegisters(registers) {}

    // The shadow of a register, or null when the register is not cached.
    unsigned short* Find(unsigned int reg) {
        for (std::size_t i = 0; i < N; ++i)
            if (m_pRegisters[i] == reg) return &m_Values[i];
        return nullptr;
    }
    const unsigned short* Find(unsigned int reg) const {
        return const_cast<CZOQRegisterCache*>(this)->Find(reg);
    }
    // The shadow's value; 0 for a register that is not cached.
    unsigned short Get(unsigned int reg) const {
        const unsigned short* value = Find(reg);
        return value ? *value : 0;
    }
    void Clear() {
        for (unsigned short& value : m_Values) value = 0;
    }

private:
    const unsigned short* m_pRegisters;
    unsigned short m_Values[N] = {};
};

#endif
