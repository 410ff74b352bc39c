// Names of the API's numbered things as zoqcam prints them: capability query
// numbers (ZOQ_FUNCTION) and generic parameters (ZOQ_PARAM).
#pragma once

namespace zoqcam {

constexpr int kFunctionCount = 55;  // ZOQ_FUNCTION 0 .. 54
// "monochrome", "lut-input-bits", ...; null outside 0 .. 54.
const char* FunctionName(int function);
// True when the camera answers the query with a non-zero value.
bool Has(int index, int function);
bool IsMonochrome(int index);

struct ParamName {
    int number;  // ZOQ_PARAM
    const char* name;
    const char* unit;
};
// The numbered parameters the API handles, in number order.
const ParamName* Params();
int ParamCount();

}  // namespace zoqcam
