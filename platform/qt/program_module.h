#pragma once

#include <QString>

namespace platform::qt {

// Resolves `symbol` in the library `name` that lies beside the program; a program built
// elsewhere in the tree (tests, benchmarks) finds it in the built program folder. Sets `folder`
// to the folder it was found in. Nullptr when neither holds it.
void* resolveProgramModule(const char* name, const char* symbol, QString* folder = nullptr);

}  // namespace platform::qt
