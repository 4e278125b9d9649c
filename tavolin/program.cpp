#include "tavolin/program.h"

#include "tavolin/compact_window.h"

namespace tavolin {

void initGlobals(TavolinState&) {}

void releaseGlobals(TavolinState& state) { state = TavolinState{}; }

int programEntry(platform::Runtime& runtime) {
  TavolinState state;
  initGlobals(state);
  // Runs once however the run ends.
  struct Release {
    TavolinState& state;
    ~Release() { releaseGlobals(state); }
  } release{state};
  runtime.run<CompactWindow>(state);
  return 0;
}

}  // namespace tavolin
