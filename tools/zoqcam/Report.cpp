#include "Report.h"

#include <dlfcn.h>

#include <cstdio>

#include "Console.h"
#include "zoqapi.h"
#include "zoqcam.h"

namespace zoqcam {

std::string ErrorText(int code) {
    char text[ZOQ_ERROR_TEXT_SIZE] = "";
    ZOQ_GetErrorInfo(code, text);
    return text;
}

bool Check(int rc, const char* what) {
    if (rc == RC_SUCCESS) return true;
    Error("%s: %s (%d)", what, ErrorText(rc).c_str(), rc);
    return false;
}

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

std::string VersionText(unsigned int word) {
    return std::to_string((word >> 8) & 0xFF) + "." + std::to_string(word & 0xFF);
}

}  // namespace zoqcam
