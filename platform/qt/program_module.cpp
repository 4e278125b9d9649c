#include "platform/qt/program_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace platform::qt {

void* resolveProgramModule(const char* name, const char* symbol, QString* folder) {
  for (const QString& dir :
       {QCoreApplication::applicationDirPath(), QStringLiteral(SORANDEL_MODULE_DIR)}) {
    QLibrary library(QDir(dir).filePath(QString::fromUtf8(name)));
    if (void* resolved = reinterpret_cast<void*>(library.resolve(symbol))) {
      if (folder != nullptr) *folder = dir;
      return resolved;
    }
  }
  return nullptr;
}

}  // namespace platform::qt
