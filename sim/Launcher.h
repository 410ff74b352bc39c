// Starting a program under umockdev's preload library: zoqsim-run (which then
// serves simulated cameras to the program it runs) and the benchmarks. The
// SDK reads no environment variable; only these helpers do.
#pragma once

namespace zoqsim {

// Makes sure the process runs with umockdev's preload library. Returns when
// it is loaded; otherwise re-executes the program (/proc/self/exe, same
// arguments) with the library added to LD_PRELOAD and does not return. When
// the library was asked for but could not be loaded (umockdev not
// installed), or the re-execution fails, prints why and exits with status 1.
// Call it first thing in main(), before any thread starts.
void relaunchUnderPreload(int argc, char** argv);

}  // namespace zoqsim
