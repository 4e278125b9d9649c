#include "sorandel/program.h"

#include "sorandel/main_window.h"

void initGlobals(SorandelState& state) {
  state.textFormat = platform::CharFormat{};
  state.textFormat.fontName = "宋体";
  state.textFormat.fontSize = 9;
  state.textFormat.effects = 0;
  state.textFormat.color = platform::kDefaultColor;
}

void releaseGlobals(SorandelState& state) { state = SorandelState{}; }

int programEntry(platform::Runtime& runtime) {
  SorandelState state;
  initGlobals(state);
  // Runs once however the run ends.
  struct Release {
    SorandelState& state;
    ~Release() { releaseGlobals(state); }
  } release{state};
  runtime.run<MainWindow>(state);
  return 0;
}
