/** @file zoqbayer.h
 * @brief libzoqbayer: demosaicing of one raw Bayer frame into a colour or gray image.
 *
 *
 * One routine per algorithm, pattern (RGGB, BGGR, GRBG, GBRG: the colours of
 * the top-left 2 x 2 block, row by row), row order and sample depth, so the
 * caller picks a routine once and calls it without mode arguments.
 *
 * Input: width x height samples, top row first, no row padding; one byte per
 * sample, or one unsigned 16-bit word in the _16Bits routines. Output: pixels
 * B, G, R (and a fourth byte or word that no routine writes itself), rows of
 * width x pixel size without padding; _Flip routines store image row y at
 * output row height - 1 - y. Gray routines write one byte (word) a pixel.
 *
 * Every routine returns 0, except FastBilinear (-1 for a bitCount other than
 * 24 or 32). Routines check neither pointers nor sizes; width and height must
 * be at least 2, dst must hold width x height x bitCount / 8 bytes (twice that
 * for _16Bits). A bitCount other than 24 or 32 leaves dst untouched. The
 * routines allocate nothing (SmoothHue and Laplacian keep three rows of
 * greens, about 12 KB, on the stack) and keep no state; all but the Bilinear
 * and FastBilinear routines of the parallel build run on the caller's thread
 * only, and those return once every worker is done. On processors with AVX2
 * the interiors run 32 pixels at a time, with the same results. */
#ifndef ZOQBAYER_H
#define ZOQBAYER_H

#include "zoq_export.h"

ZOQ_BEGIN_C

/** Number of row chunks the bilinear routines of the parallel build aim for
 * (initially 4). A bilinear call with height <= 9 stores height - 2 here;
 * values below 1 act as 1. The serial build exports it too, so both builds
 * have one export set, but neither reads nor writes it there. */
ZOQ_EXPORT extern short wThreadCount;

///@{
/** Nearest neighbour, 8-bit samples; bitCount 24 or 32. */
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Nearest neighbour, 16-bit samples in and out; bitCount 24 or 32 (3 or 4 words a pixel). */
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
///@}

///@{
/** Gray (mean of each 2 x 2 window), 8-bit; the pattern does not change the result. */
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB_Gray(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB_Gray_Flip(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR_Gray(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR_Gray_Flip(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG_Gray(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG_Gray_Flip(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG_Gray(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG_Gray_Flip(unsigned char* src, int width, int height, unsigned char* dst);
///@}

///@{
/** Gray, 16-bit samples in and out. */
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB_Gray_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_RGGB_Gray_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR_Gray_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_BGGR_Gray_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG_Gray_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GRBG_Gray_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG_Gray_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_GBRG_Gray_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst);
///@}

///@{
/** Bilinear interpolation, 8-bit samples; bitCount 24 or 32. In the parallel build the interior rows run on TBB worker threads. */
ZOQ_EXPORT int ZOQCFA_Bilinear_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Bilinear_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Bilinear_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Bilinear_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Bilinear_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Bilinear_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Bilinear_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Bilinear_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Bilinear after a bitCount check: -1 and dst untouched unless bitCount is 24 or 32. */
ZOQ_EXPORT int ZOQCFA_FastBilinear_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_FastBilinear_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_FastBilinear_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_FastBilinear_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_FastBilinear_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_FastBilinear_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_FastBilinear_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_FastBilinear_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Edge sensing (green along the flatter axis); the RGGB members give the EdgeSensing2 result. */
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing1_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Edge sensing, also the opposite colour along the flatter diagonal. */
ZOQ_EXPORT int ZOQCFA_EdgeSensing2_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_EdgeSensing2_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Smooth hue transition (colour ratios to green). */
ZOQ_EXPORT int ZOQCFA_SmoothHue_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_SmoothHue_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_SmoothHue_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_SmoothHue_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_SmoothHue_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_SmoothHue_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_SmoothHue_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_SmoothHue_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Gradient-directed interpolation with Laplacian correction. */
ZOQ_EXPORT int ZOQCFA_Laplacian_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Laplacian_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Laplacian_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Laplacian_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Laplacian_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Laplacian_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Laplacian_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_Laplacian_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Border routines: the one-pixel frame (8-bit and 16-bit) and the two-pixel frame. */
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

///@{
/** Border routine, 16-bit samples: the one-pixel frame. */
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_RGGB_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_RGGB_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_BGGR_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_BGGR_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GRBG_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GRBG_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GBRG_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge1_GBRG_Flip_16Bits(unsigned short* src, int width, int height, unsigned short* dst, unsigned short bitCount);
///@}

///@{
/** Border routine, 8-bit samples: the two-pixel frame. */
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_RGGB(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_RGGB_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_BGGR(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_BGGR_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_GRBG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_GRBG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_GBRG(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
ZOQ_EXPORT int ZOQCFA_NearestNeighbor_Edge2_GBRG_Flip(unsigned char* src, int width, int height, unsigned char* dst, unsigned short bitCount);
///@}

ZOQ_END_C

#ifdef __cplusplus
/** The same result as ZOQCFA_Laplacian_RGGB(), exported under its C++ name. */
ZOQ_EXPORT int ZOQCFA_Laplacian2_RGGB(unsigned char* src, int width, int height, unsigned char* dst,
                                      unsigned short bitCount);
#endif

#endif
