#include "geometry/ZOQDevice_RowBlocks.h"

ZoqRowBlocks::ZoqRowBlocks(int rows, std::size_t bytesPerRow, std::size_t blockBytes) {
    if (rows <= 0) return;
    m_rows = rows;
    std::size_t perBlock = bytesPerRow > 0 ? (blockBytes + bytesPerRow - 1) / bytesPerRow : 1;
    const std::size_t fewest = (static_cast<std::size_t>(rows) + kMaxBlocks - 1) / kMaxBlocks;
    if (perBlock < fewest) perBlock = fewest;
    if (perBlock < 1) perBlock = 1;
    if (perBlock > static_cast<std::size_t>(rows)) perBlock = static_cast<std::size_t>(rows);
    m_rowsPerBlock = static_cast<int>(perBlock);
    m_count = (rows + m_rowsPerBlock - 1) / m_rowsPerBlock;
}
