// Numbered parameters and the capability query.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_GetParamRange(int index, ZOQ_PARAM param, int* min, int* max) {
    return ZOQ_FORWARD(index, GetParamRange, param, min, max);
}

ZOQ_API int ZOQ_SetParam(int index, ZOQ_PARAM param, int value) {
    return ZOQ_FORWARD(index, SetParam, param, value);
}

ZOQ_API int ZOQ_GetParam(int index, ZOQ_PARAM param, int* value) {
    return ZOQ_FORWARD(index, GetParam, param, value);
}

ZOQ_API int ZOQ_QueryFunction(int index, ZOQ_FUNCTION function, int* value) {
    return ZOQ_FORWARD(index, QueryFunction, function, value);
}
