#pragma once

#include <string>

namespace platform::qt {

// Starts the executable at `path` in `workingFolder` and returns once it runs (or could not be
// started: false). It runs in a session of its own, outlives this program and is never waited
// for. It gets this program's standard input, output and error and no other descriptor: an
// inherited socket or pipe would keep this program's sound-server connection and its page
// engine's helper processes alive until the started program ends.
bool startDetachedProgram(const std::string& path, const std::string& workingFolder);

}  // namespace platform::qt
