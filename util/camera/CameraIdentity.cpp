#include "CameraIdentity.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include "zoqapi.h"
#include "zoqcam.h"

namespace zoqid {

namespace {
constexpr size_t kMarkBytes = 16;
constexpr unsigned char kMark = 0xA5;
}  // namespace

std::string ModelName(int deviceType) {
    char file[64];
    snprintf(file, sizeof file, ZOQCAM_FILE_PATTERN, deviceType);
    // libzoqapi has loaded the plug-in already when the camera opened.
    void* plugin = dlopen(file, RTLD_NOW | RTLD_NOLOAD);
    if (plugin == nullptr) plugin = dlopen(file, RTLD_NOW);
    if (plugin == nullptr) return "";
    using GetType = int (*)(int*, char*);
    auto getType = reinterpret_cast<GetType>(dlsym(plugin, ZOQCAM_GETTYPE_SYMBOL));
    char name[32] = "";
    if (getType != nullptr) getType(nullptr, name);
    name[sizeof name - 1] = '\0';
    dlclose(plugin);
    return name;
}

FrameWidth::FrameWidth(int index, size_t narrowBytes) : m_narrowBytes(narrowBytes) {
    int capable = 0;
    m_wideCapable = narrowBytes >= kMarkBytes &&
                    ZOQ_QueryFunction(index, ZOQ_FUNC_16BITS_TRANSFER, &capable) == RC_SUCCESS &&
                    capable != 0;
}

void FrameWidth::Arm(unsigned char* buffer) const {
    if (m_wideCapable) memset(buffer + BufferBytes() - kMarkBytes, kMark, kMarkBytes);
}

bool FrameWidth::Wide(const unsigned char* buffer) const {
    if (!m_wideCapable) return false;
    const unsigned char* mark = buffer + BufferBytes() - kMarkBytes;
    for (size_t i = 0; i < kMarkBytes; ++i)
        if (mark[i] != kMark) return true;
    return false;
}

bool RgbTopDown(int bayerMode, bool wide) {
    // 8-bit: the TOPDOWN modes (bit 2; for gray, modes 20-23) are top-down.
    const bool topDown = bayerMode >= 16 ? bayerMode >= 20 : (bayerMode & 4) != 0;
    return topDown != wide;
}

}  // namespace zoqid
