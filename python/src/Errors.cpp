#include "Errors.h"

#include "zoqapi.h"

namespace zoqpy {

std::string ErrorText(int code) {
    char text[ZOQ_ERROR_TEXT_SIZE] = "";
    ZOQ_GetErrorInfo(code, text);
    return text;
}

}  // namespace zoqpy
