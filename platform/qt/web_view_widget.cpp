#include "platform/qt/web_view_widget.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>

#include "platform/qt/key_codes.h"
#include "platform/system/paths.h"
#include "platform/system/program_module.h"
#include "platform/window.h"

namespace platform::qt {

namespace {

CreatePagePlayer loadEngine(QString& playerFolder) {
  static std::string folder;
  static const auto create = reinterpret_cast<CreatePagePlayer>(
      resolveProgramModule(kEngineLibrary, kCreatePagePlayer, &folder));
  playerFolder = QDir(QString::fromStdString(folder)).filePath(QStringLiteral("ruffle"));
  return create;
}

// The native path of the movie at the address, or "" when the address names no movie file.
QString moviePath(const std::string& address) {
  const QFileInfo file(QString::fromStdString(nativePath(address)));
  if (!file.isFile() || file.suffix().compare(QStringLiteral("swf"), Qt::CaseInsensitive) != 0)
    return {};
  return file.absoluteFilePath();
}

}  // namespace

WebViewWidget::WebViewWidget(WebView& view, QWidget* parent) : PlainUnitWidget(view, parent) {}

WebViewWidget::~WebViewWidget() = default;

void WebViewWidget::refresh(Property property) {
  if (property == Property::Address) showAddress();
}

void WebViewWidget::released() { player_.reset(); }

void WebViewWidget::showEvent(QShowEvent*) { showAddress(); }

void WebViewWidget::resizeEvent(QResizeEvent*) {
  if (player_) player_->widget()->setGeometry(rect());
}

void WebViewWidget::showAddress() {
  if (!live() || !isVisible()) return;
  const QString movie = moviePath(static_cast<const WebView&>(unit()).address());
  if (!player_ && !movie.isEmpty()) {
    QString playerFolder;
    if (CreatePagePlayer create = loadEngine(playerFolder)) {
      player_.reset(create(this, playerFolder));
      player_->widget()->setGeometry(rect());
      player_->widget()->show();
      // The engine's input widgets come and go with its pages: watch the keys they get.
      qApp->installEventFilter(this);
    }
  }
  if (player_) player_->show(movie);
}

bool WebViewWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !live()) return false;
  auto* target = qobject_cast<QWidget*>(watched);
  if (target == nullptr || !isAncestorOf(target)) return false;
  if (virtualKeyOf(*static_cast<QKeyEvent*>(event)) != kVkEscape) return false;
  unit().window().userPressEsc();
  return true;
}

// The empty page, until (or without) the engine.
void WebViewWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
}

}  // namespace platform::qt
