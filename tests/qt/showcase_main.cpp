// The window of every unit kind on the real desktop backend: to look at, click, type into (with
// an input method) and hear. Esc or the close box ends it.
#include "platform/qt/qt_backend.h"
#include "platform/system/paths.h"
#include "tests/qt/showcase_window.h"

int main(int argc, char** argv) {
  platform::QtBackend backend(argc, argv);
  platform::Runtime rt(backend, platform::executableFolder());
  std::vector<std::string> log;
  return rt.run<showcase::ShowcaseWindow>(log);
}
