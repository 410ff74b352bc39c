// The colour road's per-pixel stages in one pass: white-balance tables,
// colour-correction matrix, saturation and hue/saturation/lightness, each
// in its turn on a block of rows while the rows stay in cache, instead of
// one pass over the whole image a stage. Every stage works on a pixel
// alone, so the bytes are those of the stages one after the other.
#pragma once

class ZoqGainTables;
class ZoqSaturation;
class ZoqHueSaturation;

// A null stage is left out; the saturation and hue/saturation/lightness
// stages decide for themselves (value 0, disabled).
struct ZoqColourPass {
    const ZoqGainTables* gains = nullptr;
    const float (*matrix)[3] = nullptr;
    const ZoqSaturation* saturation = nullptr;
    const ZoqHueSaturation* hsl = nullptr;
};

// Runs the pass over a 24- or 32-bit image in blocks of rows over TBB's
// threads; RC_SUCCESS or the image checks' codes, without touching the
// image on an error.
int ZoqApplyColourPass(const ZoqColourPass& pass, unsigned char* image, int width, int height,
                       int bitCount);
