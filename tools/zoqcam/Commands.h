// The commands of the zoqcam tool; each returns the process exit status.
#pragma once

#include "Options.h"

namespace zoqcam {

// `complete` tells whether every camera found could be opened (and that
// there was one).
int RunList(bool* complete);
int RunInfo(int index);
int RunCapture(const Options& options);

}  // namespace zoqcam
