// Image rows cut into blocks for TBB's worker threads. A block holds whole
// rows, about `blockBytes` of them and at least one, so an image smaller
// than one block is worked on the calling thread alone. There are at most
// kMaxBlocks blocks, so that per-block results fit on the stack.
#pragma once

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>

#include <atomic>
#include <cstddef>

class ZoqRowBlocks {
public:
    static constexpr int kMaxBlocks = 256;
    // Below this much work a thread costs more than it brings: light work
    // (look-ups, sums, copies) per byte, heavy work (colour conversions,
    // sampling) per pixel row.
    static constexpr std::size_t kLightBytes = 128 * 1024;
    static constexpr std::size_t kHeavyBytes = 16 * 1024;

    // rows of bytesPerRow bytes each; a flat array is `count` rows of 1.
    ZoqRowBlocks(int rows, std::size_t bytesPerRow, std::size_t blockBytes);

    int Count() const { return m_count; }
    int Begin(int block) const { return block * m_rowsPerBlock; }
    int End(int block) const {
        const int end = Begin(block) + m_rowsPerBlock;
        return end < m_rows ? end : m_rows;
    }

    // Calls work(block, beginRow, endRow) once for every block and returns
    // when all are done. Each block is claimed before it runs, so work in
    // place never sees a row twice, and the blocks TBB could not hand out (no
    // memory for its tasks) run on the calling thread.
    template <typename Work>
    void Run(const Work& work) const;

private:
    int m_rows = 0;
    int m_rowsPerBlock = 1;
    int m_count = 0;
};

template <typename Work>
void ZoqRowBlocks::Run(const Work& work) const {
    if (m_count <= 1) {
        if (m_count == 1) work(0, 0, m_rows);
        return;
    }
    std::atomic<bool> claimed[kMaxBlocks];
    for (int b = 0; b < m_count; ++b) claimed[b].store(false, std::memory_order_relaxed);
    auto runOnce = [&](int b) {
        if (!claimed[b].exchange(true, std::memory_order_relaxed)) work(b, Begin(b), End(b));
    };
    try {
        tbb::parallel_for(
            tbb::blocked_range<int>(0, m_count, 1),
            [&](const tbb::blocked_range<int>& r) {
                for (int b = r.begin(); b != r.end(); ++b) runOnce(b);
            },
            tbb::simple_partitioner());
    } catch (...) {
        // Finished below.
    }
    for (int b = 0; b < m_count; ++b) runOnce(b);
}

// A flat array of `count` items in spans of whole 4096-item lines:
// work(begin, end) once for every span, as ZoqRowBlocks::Run does for rows.
// `blockItems` sets the span size as blockBytes does.
template <typename Work>
void ZoqForEachSpan(std::size_t count, std::size_t blockItems, const Work& work) {
    constexpr std::size_t kLine = 4096;
    const ZoqRowBlocks lines(static_cast<int>((count + kLine - 1) / kLine), kLine, blockItems);
    lines.Run([&](int, int begin, int end) {
        const std::size_t last = static_cast<std::size_t>(end) * kLine;
        work(static_cast<std::size_t>(begin) * kLine, last < count ? last : count);
    });
}
