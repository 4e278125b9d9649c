#include "platform/system/program_module.h"

#include <dlfcn.h>

#include "platform/system/paths.h"

namespace platform {

void* resolveProgramModule(const char* name, const char* symbol, std::string* folder,
                           std::string* fault) {
  const auto note = [fault](const std::string& reason) {
    if (fault != nullptr && fault->empty()) *fault = reason;
  };
  for (const std::string& dir : {executableFolder(), std::string(SORANDEL_MODULE_DIR)}) {
    const std::string library = dir + "/" + name + ".so";
    void* handle = ::dlopen(library.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (handle == nullptr) {
      note(::dlerror());
      continue;
    }
    if (void* resolved = ::dlsym(handle, symbol)) {
      if (folder != nullptr) *folder = dir;
      return resolved;
    }
    note(library + " holds no " + symbol);
    ::dlclose(handle);
  }
  return nullptr;
}

}  // namespace platform
