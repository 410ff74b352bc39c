// A file of given bytes in the temporary folder, removed with the object;
// and little-endian writers to build data files with.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace rawroadtest {

class TempFile {
public:
    explicit TempFile(const std::vector<unsigned char>& bytes) {
        char name[] = "/tmp/zoq_rawroad_XXXXXX";
        int fd = mkstemp(name);
        if (fd < 0) return;
        m_path = name;
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        close(fd);
    }
    ~TempFile() {
        if (!m_path.empty()) unlink(m_path.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const char* path() const { return m_path.c_str(); }
    char* mutablePath() { return &m_path[0]; }

private:
    std::string m_path;
};

inline void Le16(std::vector<unsigned char>& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

inline void Le32(std::vector<unsigned char>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

inline void LeFloat(std::vector<unsigned char>& out, float value) {
    uint32_t bits = 0;
    static_assert(sizeof bits == sizeof value, "32-bit float");
    __builtin_memcpy(&bits, &value, sizeof bits);
    Le32(out, bits);
}

// A table file: version, kind byte, input bits, n skipped records, length L
// and the entries (1 or 2 bytes each) as given.
inline std::vector<unsigned char> TableFile(unsigned version, unsigned char kind, unsigned char bits,
                                            uint32_t records, uint32_t length,
                                            const std::vector<unsigned>& entries, int entryBytes) {
    std::vector<unsigned char> file;
    Le16(file, version);
    file.resize(10, 0xEE);
    file.push_back(kind);
    file.push_back(bits);
    file.resize(20, 0xEE);
    Le32(file, records);
    Le32(file, length);
    file.resize(file.size() + 8 * size_t{records}, 0x77);
    for (unsigned e : entries) {
        if (entryBytes == 2)
            Le16(file, e);
        else
            file.push_back(static_cast<unsigned char>(e));
    }
    return file;
}

// A calibration map file of w x h entries with the given arrays (column map,
// column fraction, row map, row fraction) and array byte sizes X and Y.
inline std::vector<unsigned char> MapFile(int w, int h, const std::vector<uint16_t>& columns,
                                          const std::vector<uint16_t>& columnFractions,
                                          const std::vector<uint16_t>& rows,
                                          const std::vector<uint16_t>& rowFractions,
                                          unsigned magic = 0x4D43, unsigned version = 0x0100) {
    std::vector<unsigned char> file;
    Le16(file, magic);
    Le16(file, version);
    Le32(file, static_cast<uint32_t>(w));
    Le32(file, static_cast<uint32_t>(h));
    Le32(file, 0);
    Le32(file, static_cast<uint32_t>(2 * columns.size()));
    Le32(file, static_cast<uint32_t>(2 * rows.size()));
    for (const auto* array : {&columns, &columnFractions, &rows, &rowFractions})
        for (uint16_t v : *array) Le16(file, v);
    return file;
}

// The identity map of a w x h image: every pixel from where it is.
inline std::vector<unsigned char> IdentityMapFile(int w, int h) {
    std::vector<uint16_t> columns, rows, zeros(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            columns.push_back(static_cast<uint16_t>(x));
            rows.push_back(static_cast<uint16_t>(y));
        }
    return MapFile(w, h, columns, zeros, rows, zeros);
}

}  // namespace rawroadtest
