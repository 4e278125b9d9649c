#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/qt_backend.h"

namespace platform {

std::string QtBackend::clipboardText() const {
  return QGuiApplication::clipboard()->text().toStdString();
}

void QtBackend::setClipboardText(const std::string& utf8) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(utf8));
}

}  // namespace platform
