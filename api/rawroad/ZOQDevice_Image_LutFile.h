// Camera look-up tables as the application hands them over: the shadows of
// the last download and the table files (a 28-byte header, skipped 8-byte
// records, then the table).
#pragma once

// Copies of the last LUT (8-bit entries) and gamma LUT (16-bit entries)
// given to a download; also the read buffers of the file loaders.
struct ZoqLutShadows {
    static constexpr int kEntries = 4096;
    unsigned char lut[kEntries] = {};
    unsigned short gammaLut[kEntries] = {};
};

// The kind byte of a table file.
enum ZoqTableKind : unsigned char {
    kZoqTableLut = 'A',       // 8-bit entries
    kZoqTableGammaLut = 'C',  // 16-bit little-endian entries
};

// Reads the table of a file of the given kind into `table` (at most
// ZoqLutShadows::kEntries entries, 1 byte each for a LUT, 2 for a gamma LUT)
// and reports the header's input bit depth. Returns RC_PARAMETER_ERROR for a
// null path, RC_FAIL for a file that cannot be opened, is short or holds more
// than 4096 entries, RC_VERSION_ERROR for a version other than 0x0100,
// RC_ILLEGAL_OPERATION for the other kind's file.
int ZoqReadTableFile(const char* path, ZoqTableKind kind, void* table, int* inputBits);

// 2^bits entries for a camera table of `bits` input bits; -1 where that
// could not be a table length at all.
int ZoqTableLength(int bits);
