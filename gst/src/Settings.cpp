#include "Settings.h"

#include <cstdlib>

namespace zoqgst {

bool ParseFieldOfView(const std::string& text, int window[6]) {
    int values[6] = {0, 0, 0, 0, 0, 0};
    int count = 0;
    const char* p = text.c_str();
    while (*p != '\0') {
        if (count == 6) return false;
        char* end = nullptr;
        const long value = strtol(p, &end, 10);
        if (end == p || value < 0 || value > 1000000) return false;
        values[count++] = static_cast<int>(value);
        p = end;
        while (*p == ' ') ++p;
        if (*p == ',') {
            ++p;
            if (*p == '\0') return false;
        } else if (*p != '\0') {
            return false;
        }
    }
    if (count != 4 && count != 6) return false;
    for (int i = 0; i < 6; ++i) window[i] = values[i];
    return true;
}

}  // namespace zoqgst
