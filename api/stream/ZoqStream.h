// One stream: a reader thread that triggers and reads frames, and a
// processing thread that runs the device's pipeline on them, joined by the
// frame pool. The reader triggers frame N+1 before it hands frame N on, so
// the processing of one frame overlaps the transfer of the next.
#pragma once

#include <mutex>
#include <thread>

#include "stream/ZoqFramePool.h"
#include "zoqstream.h"

class CZOQDevice;

class ZoqStream {
public:
    ZoqStream(CZOQDevice* device, const ZOQSTREAM_CONFIG& config);
    ~ZoqStream();
    ZoqStream(const ZoqStream&) = delete;
    ZoqStream& operator=(const ZoqStream&) = delete;

    int Start();
    int Stop();
    int Wait(unsigned int timeoutMs, ZOQSTREAM_FRAME** frame);
    int Release(ZOQSTREAM_FRAME* frame) { return m_pool.Give(frame); }
    void Stats(ZOQSTREAM_STATS* stats) const { m_pool.Stats(stats); }

private:
    void ReadLoop();
    void ProcessLoop();

    CZOQDevice* const m_device;
    const ZOQSTREAM_CONFIG m_config;
    ZoqFramePool m_pool;
    // Start and Stop from several application threads take turns.
    std::mutex m_control;
    std::thread m_reader;
    std::thread m_processor;
};
