#include "rawroad/ZOQDevice_Image_LutFile.h"

#include "ZoqOut.h"
#include "platform/ZOQDataFile.h"
#include "zoq_errors.h"

namespace {

constexpr int kHeaderBytes = 28;
constexpr uint16_t kTableFileVersion = 0x0100;
constexpr int kSkippedRecordBytes = 8;

}  // namespace

int ZoqTableLength(int bits) {
    return bits >= 0 && bits <= 30 ? 1 << bits : -1;
}

int ZoqReadTableFile(const char* path, ZoqTableKind kind, void* table, int* inputBits) {
    if (path == nullptr || table == nullptr) return RC_PARAMETER_ERROR;
    ZoqDataFile file(path);
    if (!file.IsOpen()) return RC_FAIL;
    unsigned char header[kHeaderBytes];
    if (!file.Read(header, sizeof header)) return RC_FAIL;
    if (ZoqLe16(header) != kTableFileVersion) return RC_VERSION_ERROR;
    if (header[10] != kind) return RC_ILLEGAL_OPERATION;
    const uint32_t records = ZoqLe32(header + 20);
    const uint32_t length = ZoqLe32(header + 24);
    if (!file.Skip(uint64_t{records} * kSkippedRecordBytes)) return RC_FAIL;
    if (length > static_cast<uint32_t>(ZoqLutShadows::kEntries)) return RC_FAIL;
    const bool complete = kind == kZoqTableGammaLut
                              ? file.ReadLe16(static_cast<uint16_t*>(table), length)
                              : file.Read(table, length);
    if (!complete) return RC_FAIL;
    zoq::Put(inputBits, header[11]);
    return RC_SUCCESS;
}
