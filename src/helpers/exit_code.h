#pragma once

namespace kestrane {

// The program's exit code after a launch at zero that the shell did not
// take: the system's error code for why not (2 when the start folder has
// no batch file, 1223 when the user declined the elevation), or 31, the
// general failure, where that code reads 0 or 1, which would pass for a
// launch that happened or for a run-time error.
int exitCodeForUntakenLaunch(unsigned long systemError);

}  // namespace kestrane
