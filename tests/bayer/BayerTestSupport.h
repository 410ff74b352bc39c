// Small helpers shared by the demosaic test suites.
#ifndef ZOQ_TESTS_BAYER_TEST_SUPPORT_H
#define ZOQ_TESTS_BAYER_TEST_SUPPORT_H

#include <string>

#include "BayerMembers.h"

namespace bayertest {

// Puts wThreadCount of a build back to what it was, so that tests that
// change it do not affect the next test of the same process.
class ThreadCountRestorer {
public:
    explicit ThreadCountRestorer(const Library& library) : count_(library.ThreadCount()), saved_(*count_) {}
    ~ThreadCountRestorer() { *count_ = saved_; }
    ThreadCountRestorer(const ThreadCountRestorer&) = delete;
    ThreadCountRestorer& operator=(const ThreadCountRestorer&) = delete;

private:
    short* count_;
    short saved_;
};

inline Library& Build(bool parallel) { return parallel ? Library::Parallel() : Library::Serial(); }

inline std::string BuildName(bool parallel) { return parallel ? "Parallel" : "Serial"; }

}  // namespace bayertest

#endif
