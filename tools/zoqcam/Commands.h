// The commands of the zoqcam tool; each returns the process exit status.
#pragma once

#include "Options.h"

namespace zoqcam {

int RunList();
int RunInfo(int index);
int RunCapture(const Options& options);

}  // namespace zoqcam
