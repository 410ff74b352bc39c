// Which vector width the pixel stages use: the widest the processor has, at
// most AVX2, or SSE2 alone (so that the tests can check each on any
// machine). AVX-512 serves the stages that have a path of their own for it.
// Beside the row blocks: both say how a stage's work is split.
#pragma once

enum class ZoqLaneWidth { kWidest, kSse2, kAvx2 };
void ZoqSetLaneWidth(ZoqLaneWidth width);
bool ZoqUseAvx2();
// AVX-512 with byte permutes (AVX512BW and VBMI).
bool ZoqUseAvx512();
