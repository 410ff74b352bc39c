// Choice of the demosaic routine from the Bayer mode and the filter mode.
#pragma once

// Demosaics an 8-bit raw frame into out; stores the output bit count through
// bitCount (when not null) before the routine runs. RC_NOT_SUPPORTED, with
// nothing written, for a Bayer mode outside 0..23; RC_NOT_SUPPORTED after
// storing the bit count for a colour mode with a filter mode outside 0..5.
int DemosaicRaw8(int bayerMode, int filterMode, unsigned char* raw, int width, int height,
                 unsigned char* out, int* bitCount);

// Demosaics a 16-bit raw frame (nearest neighbour only; filter mode ignored).
int DemosaicRaw16(int bayerMode, unsigned short* raw, int width, int height, unsigned short* out);
