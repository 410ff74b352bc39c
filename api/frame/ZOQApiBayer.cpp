// Demosaic pattern, output format and algorithm.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_BayerGetDefaultMode(int index, ZOQ_BAYERMODE* mode) {
    return ZOQ_FORWARD(index, GetDefaultBayerMode, mode);
}

ZOQ_API int ZOQ_BayerSetMode(int index, ZOQ_BAYERMODE mode) {
    return ZOQ_FORWARD(index, SetBayerMode, mode);
}

ZOQ_API int ZOQ_BayerGetMode(int index, ZOQ_BAYERMODE* mode) {
    return ZOQ_FORWARD(index, GetBayerMode, mode);
}

ZOQ_API int ZOQ_FilterSetMode(int index, ZOQ_FILTERMODE mode) {
    return ZOQ_FORWARD(index, SetFilterMode, mode);
}

ZOQ_API int ZOQ_FilterGetMode(int index, ZOQ_FILTERMODE* mode) {
    return ZOQ_FORWARD(index, GetFilterMode, mode);
}
