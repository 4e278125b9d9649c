#include <cstdlib>
#include <vector>

#include "platform/qt/qt_backend.h"
#include "platform/runtime.h"
#include "platform/system/paths.h"
#include "tavolin/program.h"
#include "tavolin/window_system.h"

int main(int argc, char** argv) {
  // The platform goes in as an argument, not the environment, so Sorandel started from the bar
  // still runs natively.
  std::vector<char*> args(argv, argv + argc);
  char platformOption[] = "-platform";
  if (const char* name = tavolin::barPlatform(
          std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM"))) {
    args.push_back(platformOption);
    args.push_back(const_cast<char*>(name));
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  platform::QtBackend backend(count, args.data());
  platform::Runtime runtime(backend, platform::executableFolder());
  return tavolin::programEntry(runtime);
}
