#include "Report.h"

#include <cstdio>

#include "CameraIdentity.h"
#include "Console.h"
#include "zoqapi.h"

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
    return zoqid::ModelName(deviceType);
}

std::string VersionText(unsigned int word) {
    return std::to_string((word >> 8) & 0xFF) + "." + std::to_string(word & 0xFF);
}

}  // namespace zoqcam
