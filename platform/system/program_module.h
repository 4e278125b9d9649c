#pragma once

#include <string>

namespace platform {

// Resolves `symbol` in the library `<name>.so` that lies beside the program; a program built
// elsewhere in the tree (tests, benchmarks) finds it in the built program folder. Sets `folder`
// to the folder it was found in. Nullptr when neither holds it, with the first reason in
// `fault`.
void* resolveProgramModule(const char* name, const char* symbol, std::string* folder = nullptr,
                           std::string* fault = nullptr);

}  // namespace platform
