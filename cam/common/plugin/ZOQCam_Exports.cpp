/* The data and helper exports that every plug-in carries unchanged. */
#include "zoqcam.h"

extern "C" ZOQ_EXPORT const int g_SkipTable[5] = {1, 2, 3, 4, 8};

int GET_READ_FPGAREG_ADDRESS(unsigned char reg) {
    if (reg == 0) return -1;             // 0xFF on the wire
    if (reg <= 0x6F) return reg | 0x80;  // registers 1..111
    return reg;
}
