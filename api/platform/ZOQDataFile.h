// Reading the little-endian data files the library loads (look-up tables,
// flat-field data, calibration maps): a file that closes itself and reads
// that report whether every byte arrived; and the encoder of the one file
// it also writes (flat-field data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

class ZoqDataFile {
public:
    explicit ZoqDataFile(const char* path) : m_file(path ? std::fopen(path, "rb") : nullptr) {}

    bool IsOpen() const { return m_file != nullptr; }

    // True when all `count` bytes were read.
    bool Read(void* out, size_t count) {
        return count == 0 || std::fread(out, 1, count, m_file.get()) == count;
    }

    // Reads `count` little-endian 16-bit values.
    bool ReadLe16(uint16_t* out, size_t count) {
        if (!Read(out, count * 2)) return false;
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(out);
        // Value i occupies the two bytes it is made of: converting in order
        // reads each pair before it is overwritten.
        for (size_t i = 0; i < count; ++i)
            out[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        return true;
    }

    // Skips `count` bytes; false when fewer are left.
    bool Skip(uint64_t count) {
        FILE* f = m_file.get();
        const long here = std::ftell(f);
        if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return false;
        const long end = std::ftell(f);
        if (end < here || count > static_cast<uint64_t>(end - here)) return false;
        return std::fseek(f, here + static_cast<long>(count), SEEK_SET) == 0;
    }

    // Size in bytes, or -1; leaves the position at the start.
    long Size() {
        if (std::fseek(m_file.get(), 0, SEEK_END) != 0) return -1;
        long size = std::ftell(m_file.get());
        return std::fseek(m_file.get(), 0, SEEK_SET) == 0 ? size : -1;
    }

private:
    struct Closer {
        void operator()(FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<FILE, Closer> m_file;
};

inline uint16_t ZoqLe16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ZoqLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t ZoqLe32Signed(const unsigned char* p) {
    return static_cast<int32_t>(ZoqLe32(p));
}

inline void ZoqPutLe32(unsigned char* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}
