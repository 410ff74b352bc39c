// The commands of the zoqcam tool; each returns the exit status.
#pragma once

#include "Cli.h"

namespace zoqcam {

// `complete` tells whether every camera found could be opened (and that
// there was one).
int RunList(const Options& options, bool* complete);
int RunInfo(const Options& options, int index);
int RunParams(const Options& options, int index);
int RunQuery(const Options& options, int index);
int RunEeprom(const Options& options, int index);
int RunSettings(const Options& options, int index);
// capture and stream.
int RunFrames(const Options& options, int index);

}  // namespace zoqcam
