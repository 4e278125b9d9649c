#include "platform/qt/qt_backend.h"
#include "platform/runtime.h"
#include "platform/system/paths.h"
#include "sorandel/program.h"

int main(int argc, char** argv) {
  platform::QtBackend backend(argc, argv);
  platform::Runtime runtime(backend, platform::executableFolder());
  return programEntry(runtime);
}
