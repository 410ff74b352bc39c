// eeprom dump|get|set: the typed items the library keeps near the top of a
// camera's EEPROM, and its raw bytes.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "Commands.h"
#include "Console.h"
#include "Json.h"
#include "Report.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

enum class ItemType { Byte, Word, Text, Gains, Matrix };

struct Item {
    const char* name;
    ItemType type;
    int (*readWord)(int, unsigned short*);
    int (*writeWord)(int, unsigned short);
};

constexpr Item kItems[] = {
    {"serial", ItemType::Byte, nullptr, nullptr},
    {"working-mode", ItemType::Word, ZOQ_WorkingModeReadout, ZOQ_WorkingModeProgram},
    {"working-mode-ex", ItemType::Word, ZOQ_WorkingModeExReadout, ZOQ_WorkingModeExProgram},
    {"colour-mode", ItemType::Word, ZOQ_ColorModeReadout, ZOQ_ColorModeProgram},
    {"serial-desc", ItemType::Text, nullptr, nullptr},
    {"lut-info", ItemType::Word, ZOQ_LutInfoReadout, ZOQ_LutInfoProgram},
    {"gamma-lut-info", ItemType::Word, ZOQ_GammaLutInfoReadout, ZOQ_GammaLutInfoProgram},
    {"hw-wb-gains", ItemType::Gains, nullptr, nullptr},
    {"hw-ccm", ItemType::Matrix, nullptr, nullptr},
};

const Item* FindItem(const std::string& name) {
    for (const Item& item : kItems)
        if (name == item.name) return &item;
    return nullptr;
}

std::string Numbers(const float* values, int count) {
    std::string text;
    char number[32];
    for (int i = 0; i < count; ++i) {
        snprintf(number, sizeof number, "%s%.6g", i ? "," : "", values[i]);
        text += number;
    }
    return text;
}

// The item as text, or the library's error code.
int ReadItem(int index, const Item& item, std::string* text) {
    char buffer[32];
    switch (item.type) {
        case ItemType::Byte: {
            unsigned char serial = 0;
            const int rc = ZOQ_GetSerials(index, &serial);
            snprintf(buffer, sizeof buffer, "%u", serial);
            *text = buffer;
            return rc;
        }
        case ItemType::Word: {
            unsigned short word = 0;
            const int rc = item.readWord(index, &word);
            snprintf(buffer, sizeof buffer, "0x%04x", word);
            *text = buffer;
            return rc;
        }
        case ItemType::Text: {
            unsigned char desc[16] = {};
            const int rc = ZOQ_SerialsDescReadout(index, desc);
            text->clear();
            for (unsigned char c : desc) {
                if (c == 0) break;
                *text += c >= 0x20 && c < 0x7F ? char(c) : '?';
            }
            return rc;
        }
        case ItemType::Gains: {
            float gains[3] = {};
            const int rc = ZOQ_HWBMatrixReadout(index, gains);
            *text = Numbers(gains, 3);
            return rc;
        }
        case ItemType::Matrix: {
            float matrix[3][3] = {};
            const int rc = ZOQ_HCCMMatrixReadout(index, matrix);
            *text = Numbers(&matrix[0][0], 9);
            return rc;
        }
    }
    return RC_PARAMETER_ERROR;
}

bool ParseFloats(const std::string& text, int count, float* values) {
    std::stringstream stream(text);
    std::string part;
    int n = 0;
    while (std::getline(stream, part, ',')) {
        char* end = nullptr;
        const double v = strtod(part.c_str(), &end);
        if (part.empty() || *end != '\0' || n >= count || !std::isfinite(v)) return false;
        values[n++] = static_cast<float>(v);
    }
    return n == count;
}

bool ParseUnsigned(const std::string& text, unsigned long limit, unsigned long* value) {
    char* end = nullptr;
    errno = 0;
    *value = strtoul(text.c_str(), &end, 0);
    return !text.empty() && text[0] != '-' && *end == '\0' && errno == 0 && *value <= limit;
}

// kOk, kUsage for a value the item cannot hold, or kFailed.
int WriteItem(int index, const Item& item, const std::string& text) {
    unsigned long number = 0;
    int rc = RC_SUCCESS;
    switch (item.type) {
        case ItemType::Byte:
        case ItemType::Word:
            if (!ParseUnsigned(text, item.type == ItemType::Byte ? 0xFF : 0xFFFF, &number)) {
                Error("%s takes 0 to %s", item.name,
                      item.type == ItemType::Byte ? "255" : "0xffff");
                return kUsage;
            }
            rc = item.type == ItemType::Byte
                     ? ZOQ_SetSerials(index, static_cast<unsigned char>(number))
                     : item.writeWord(index, static_cast<unsigned short>(number));
            break;
        case ItemType::Text: {
            if (text.size() > 16) {
                Error("serial-desc holds at most 16 characters");
                return kUsage;
            }
            unsigned char desc[16] = {};
            memcpy(desc, text.data(), text.size());
            rc = ZOQ_SerialsDescProgram(index, desc);
            break;
        }
        case ItemType::Gains: {
            float gains[3];
            if (!ParseFloats(text, 3, gains)) {
                Error("hw-wb-gains takes R,G,B");
                return kUsage;
            }
            rc = ZOQ_HWBMatrixProgram(index, gains);
            break;
        }
        case ItemType::Matrix: {
            float matrix[3][3];
            if (!ParseFloats(text, 9, &matrix[0][0])) {
                Error("hw-ccm takes nine numbers, row by row");
                return kUsage;
            }
            rc = ZOQ_HCCMMatrixProgram(index, matrix);
            break;
        }
    }
    return Check(rc, (std::string("writing ") + item.name).c_str()) ? kOk : kFailed;
}

// Highest address of each EEPROM type.
unsigned long TopAddress(ZOQ_EEPROM_TYPE type) {
    switch (type) {
        case ZOQ_EEPROM_TYPE_16BIT_8K:
            return 0x1FFF;
        case ZOQ_EEPROM_TYPE_24BIT_256K:
            return 0x3FFFF;
        case ZOQ_EEPROM_TYPE_16BIT_16K:
            return 0x3FFF;
        default:
            return 0;
    }
}

// Type 0 takes byte requests only; the others blocks as well.
constexpr int kBlock = 64;

int ReadBytes(int index, ZOQ_EEPROM_TYPE type, unsigned long address, size_t count,
              std::vector<unsigned char>* bytes) {
    bytes->assign(count, 0);
    for (size_t done = 0; done < count;) {
        const size_t n =
            type == ZOQ_EEPROM_TYPE_16BIT_8K ? 1 : std::min<size_t>(kBlock, count - done);
        const auto at = static_cast<unsigned>(address + done);
        const int rc = type == ZOQ_EEPROM_TYPE_16BIT_8K
                           ? ZOQ_RdEEPROM(index, static_cast<unsigned short>(at), &(*bytes)[done])
                           : ZOQ_RdEEPROMExEx(index, at, static_cast<int>(n), &(*bytes)[done]);
        if (rc != RC_SUCCESS) return rc;
        done += n;
    }
    return RC_SUCCESS;
}

int WriteBytes(int index, ZOQ_EEPROM_TYPE type, unsigned long address,
               std::vector<unsigned char> bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const size_t n =
            type == ZOQ_EEPROM_TYPE_16BIT_8K ? 1 : std::min<size_t>(kBlock, bytes.size() - done);
        const auto at = static_cast<unsigned>(address + done);
        const int rc = type == ZOQ_EEPROM_TYPE_16BIT_8K
                           ? ZOQ_WrEEPROM(index, static_cast<unsigned short>(at), bytes[done])
                           : ZOQ_WrEEPROMExEx(index, at, &bytes[done], static_cast<int>(n));
        if (rc != RC_SUCCESS) return rc;
        done += n;
    }
    return RC_SUCCESS;
}

void HexDump(FILE* out, unsigned long address, const std::vector<unsigned char>& bytes) {
    for (size_t i = 0; i < bytes.size(); i += 16) {
        fprintf(out, "%06lx:", address + i);
        for (size_t j = i; j < i + 16 && j < bytes.size(); ++j) fprintf(out, " %02x", bytes[j]);
        fputc('\n', out);
    }
}

// ADDR[:COUNT] inside the EEPROM; false after a message.
bool ParseSpan(const std::string& text, unsigned long top, unsigned long* address, size_t* count) {
    const size_t colon = text.find(':');
    unsigned long n = 1;
    if (!ParseUnsigned(text.substr(0, colon), top, address) ||
        (colon != std::string::npos &&
         (!ParseUnsigned(text.substr(colon + 1), top + 1, &n) || n == 0)) ||
        *address + n > top + 1) {
        Error("%s is not an item name or ADDR[:COUNT] inside 0 to 0x%lx", text.c_str(), top);
        return false;
    }
    *count = n;
    return true;
}

// "12,0x34,255" or "1234ff".
bool ParseBytes(const std::string& text, std::vector<unsigned char>* bytes) {
    bytes->clear();
    unsigned long v = 0;
    if (text.find(',') != std::string::npos || text.size() <= 4) {
        std::stringstream stream(text);
        std::string part;
        while (std::getline(stream, part, ',')) {
            if (!ParseUnsigned(part, 0xFF, &v)) return false;
            bytes->push_back(static_cast<unsigned char>(v));
        }
        return !bytes->empty();
    }
    if (text.size() % 2 != 0) return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        if (!ParseUnsigned("0x" + text.substr(i, 2), 0xFF, &v)) return false;
        bytes->push_back(static_cast<unsigned char>(v));
    }
    return true;
}

}  // namespace

int RunEeprom(const Options& options, int index) {
    ZOQ_EEPROM_TYPE type{};
    if (!Check(ZOQ_EEPROMTypeGet(index, &type), "reading the EEPROM type")) return kFailed;
    const unsigned long top = TopAddress(type);
    FILE* out = Out();
    std::string text;

    if (options.action == "dump") {
        std::vector<unsigned char> bytes;
        const int rc = top > 0 ? ReadBytes(index, type, 0, top + 1, &bytes) : RC_NOT_SUPPORTED;
        if (options.json) {
            Json dump = Json::Object();
            dump.Set("type", int(type));
            Json& items = dump.Set("items", Json::Object());
            for (const Item& item : kItems)
                items.Set(item.name,
                          ReadItem(index, item, &text) == RC_SUCCESS ? Json(text) : Json());
            std::string hex;
            char pair[3];
            for (unsigned char b : bytes) {
                snprintf(pair, sizeof pair, "%02x", b);
                hex += pair;
            }
            dump.Set("bytes", rc == RC_SUCCESS ? Json(hex) : Json());
            dump.Write(out);
        } else {
            fprintf(out, "type = %d\n", int(type));
            for (const Item& item : kItems) {
                const int itemRc = ReadItem(index, item, &text);
                fprintf(
                    out, "%s = %s\n", item.name,
                    itemRc == RC_SUCCESS ? text.c_str() : ("(" + ErrorText(itemRc) + ")").c_str());
            }
            if (rc == RC_SUCCESS) HexDump(out, 0, bytes);
        }
        return Check(rc, "reading the EEPROM") ? kOk : kFailed;
    }

    const std::string& target = options.args[0];
    const Item* item = FindItem(target);
    unsigned long address = 0;
    size_t count = 0;
    if (item == nullptr && !ParseSpan(target, top, &address, &count)) return kUsage;

    if (options.action == "set") {
        if (!options.yes) {
            Error("writing the EEPROM changes the camera for good: add --yes to write %s",
                  target.c_str());
            return kUsage;
        }
        if (item != nullptr) {
            const int status = WriteItem(index, *item, options.args[1]);
            if (status != kOk) return status;
        } else {
            std::vector<unsigned char> bytes;
            if (!ParseBytes(options.args[1], &bytes) || address + bytes.size() > top + 1) {
                Error("%s: give bytes as 12,0x34,255 or as hex digits 1234ff, inside 0 to 0x%lx",
                      options.args[1].c_str(), top);
                return kUsage;
            }
            if (!Check(WriteBytes(index, type, address, bytes), "writing the EEPROM"))
                return kFailed;
            count = bytes.size();
        }
    }
    if (item != nullptr) {
        if (!Check(ReadItem(index, *item, &text), (std::string("reading ") + item->name).c_str()))
            return kFailed;
        fprintf(out, "%s\n", text.c_str());
        return kOk;
    }
    std::vector<unsigned char> bytes;
    if (!Check(ReadBytes(index, type, address, count, &bytes), "reading the EEPROM"))
        return kFailed;
    HexDump(out, address, bytes);
    return kOk;
}

}  // namespace zoqcam
