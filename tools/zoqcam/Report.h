// Messages of the zoqcam tool.
#pragma once

#include <string>

namespace zoqcam {

// The API's text of a return code.
std::string ErrorText(int code);
// Prints "zoqcam: <what>: <text> (<code>)" to stderr when rc is not 0;
// returns rc == 0.
bool Check(int rc, const char* what);
// The model name a camera's plug-in reports, or "" when it has none.
std::string ModelName(int deviceType);
std::string VersionText(unsigned int word);  // "major.minor"

}  // namespace zoqcam
