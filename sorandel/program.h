#pragma once

#include "platform/runtime.h"
#include "sorandel/sorandel_state.h"

// Sorandel's run: the start values, the main window and its message loop, and the release of
// the program's values at the end. Every path ends with exit code 0.
int programEntry(platform::Runtime& runtime);

void initGlobals(SorandelState& state);
void releaseGlobals(SorandelState& state);
