// Cost of one log entry: every camera register access writes one, flushed
// at once. The file lives in the working folder and is removed afterwards.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "zoqlog.h"

namespace {

constexpr char kPath[] = "bench_log_entries.log";

void BM_OutputString(benchmark::State& state) {
    void* log = nullptr;
    if (ZOQLOG_Init(&log, kPath, 1, 0) != ZOQLOG_SUCCESS) {
        state.SkipWithError("cannot start the log");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ZOQLOG_OutputString(
            log, "ZOQAPI::RdSensor Address = 0012(0x000c), Value = 01234(0x04d2), Return = 0", 10));
    ZOQLOG_UnInit(&log);
    remove(kPath);
}
BENCHMARK(BM_OutputString);

void BM_OutputStringEx(benchmark::State& state) {
    void* log = nullptr;
    if (ZOQLOG_Init(&log, kPath, 1, 0) != ZOQLOG_SUCCESS) {
        state.SkipWithError("cannot start the log");
        return;
    }
    int value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ZOQLOG_OutputStringEx(
            log, 10, "ZOQAPI::WrFpga Address = %04d(0x%04x), Value = %05d", 18, 18, ++value));
    ZOQLOG_UnInit(&log);
    remove(kPath);
}
BENCHMARK(BM_OutputStringEx);

}  // namespace
