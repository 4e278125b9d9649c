#pragma once

#include "platform/runtime.h"
#include "tavolin/tavolin_state.h"

namespace tavolin {

// Tavolin's run: the bar as the start window and its message loop, and the release of the
// program's values at the end. Every path ends with exit code 0.
int programEntry(platform::Runtime& runtime);

// Nothing needs a start value: every value starts empty.
void initGlobals(TavolinState& state);
void releaseGlobals(TavolinState& state);

}  // namespace tavolin
