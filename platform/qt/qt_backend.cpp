#include "platform/qt/qt_backend.h"

#include <unistd.h>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <utility>

#include "platform/qt/message_box.h"
#include "platform/qt/popup_menu.h"
#include "platform/qt/qt_audio.h"
#include "platform/qt/qt_measurer.h"
#include "platform/qt/qt_style.h"
#include "platform/qt/start_program.h"
#include "platform/qt/wav_sound.h"
#include "platform/qt/window_widget.h"
#include "platform/runtime.h"
#include "platform/system/file_bytes.h"

namespace platform {

using qt::WindowWidget;

namespace {

// The application object. As root the page engine's sandbox cannot start, so the engine that a
// web view may load later runs without one there (every other user keeps it). The engine would
// like shared graphics contexts as well, but asking for them sets up OpenGL at once, which costs
// every start of a program most of a second; it runs without them.
QApplication* makeApplication(int& argc, char** argv) {
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  return QApplication::instance() == nullptr ? new QApplication(argc, argv) : nullptr;
}

// Runs `then` once, from the event loop, after the first paint of any widget of the
// application: whatever draws the first frame (a window, or a picture that covers it whole, so
// that Qt never paints the window itself).
class AfterFirstPaint : public QObject {
 public:
  explicit AfterFirstPaint(std::function<void()> then) : then_(std::move(then)) {
    QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) {
      QCoreApplication::instance()->removeEventFilter(this);
      QTimer::singleShot(0, this, std::exchange(then_, nullptr));
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

class QtBackend::Impl {
 public:
  Impl(int& argc, char** argv, Options options)
      : options_(options),
        app_(makeApplication(argc, argv)),
        audio_([this] { return nowMs(); }, options.silent, options.mixerSink) {
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(qt::toQFont(Font{"", 9}));
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (runtime_ != nullptr) runtime_->fireDueTimers();
    });
  }

  ~Impl() {
    timer_.stop();
    for (auto& [window, widget] : windows_) delete widget.data();
    windows_.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  std::int64_t nowMs() const { return options_.manualClock ? manualNow_ : clock_.elapsed(); }

  void armTimer() {
    if (options_.manualClock || runtime_ == nullptr) return;
    const std::optional<std::int64_t> due = runtime_->nextTimerDue();
    if (!due) {
      timer_.stop();
      return;
    }
    timer_.start(static_cast<int>(std::clamp<std::int64_t>(*due - nowMs(), 0, 1 << 30)));
  }

  void processEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void advance(std::int64_t ms) {
    processEvents();
    const std::int64_t target = manualNow_ + std::max<std::int64_t>(ms, 0);
    while (runtime_ != nullptr) {
      const std::optional<std::int64_t> due = runtime_->nextTimerDue();
      if (!due || *due > target) break;
      manualNow_ = std::max(manualNow_, *due);
      runtime_->fireDueTimers();
      processEvents();
    }
    manualNow_ = target;
  }

  WindowWidget* widgetOf(const Window& window) const {
    const auto it = windows_.find(&window);
    return it != windows_.end() ? it->second.data() : nullptr;
  }

  WindowWidget* topWidget() const {
    if (runtime_ == nullptr || runtime_->openWindows().empty()) return nullptr;
    return widgetOf(*runtime_->openWindows().back());
  }

  void showWindow(Window& window) {
    const bool modal = runtime_ != nullptr && runtime_->openWindows().size() > 1;
    auto* widget = new WindowWidget(window, modal);
    windows_[&window] = widget;
    if (window.windowState() == 2) {
      widget->showMinimized();
      // A window that starts minimized draws no first frame to wait for.
      audio_.warmUp();
    } else {
      widget->show();
      // A window that opens takes the keyboard, also where no window manager hands it over.
      widget->activateWindow();
    }
    widget->changed(window, Property::Focus);
  }

  void runUntilClosed(Window& window) {
    if (!window.isOpen()) return;
    QEventLoop loop;
    loops_[&window] = &loop;
    loop.exec();
    loops_.erase(&window);
  }

  void windowClosed(Window& window) {
    if (WindowWidget* widget = widgetOf(window)) widget->closedByModel();
    windows_.erase(&window);
    const auto loop = loops_.find(&window);
    if (loop != loops_.end()) loop->second->quit();
    // An ended program leaves no box open behind it.
    if (runtime_ != nullptr && !runtime_->running() && openBox_ != nullptr) {
      openBox_->done(qt::MessageBox::kNotOk);
    }
  }

  int showMessageBox(const std::string& text, int style, const std::string& caption) {
    qt::MessageBox box(text, style, caption);
    if (WindowWidget* parent = topWidget()) {
      box.setParent(parent, box.windowFlags());
    }
    openBox_ = &box;
    const int result = box.exec();
    openBox_ = nullptr;
    return result == qt::MessageBox::kOk ? 0 : qt::MessageBox::kNotOk;
  }

  void popupMenu(Window& window, MenuItem& top) {
    auto* menu = new qt::PopupMenu(top, widgetOf(window), [this] {
      if (runtime_ != nullptr) runtime_->popupDismissed();
    });
    menu->popup(QCursor::pos());
  }

  void playEffect(const Bytes& wav) { audio_.playEffect(qt::decodeWav(wav)); }

  Options options_;
  std::unique_ptr<QApplication> app_;
  QElapsedTimer clock_;
  std::int64_t manualNow_ = 0;
  QTimer timer_;
  Runtime* runtime_ = nullptr;
  std::unordered_map<const Window*, QPointer<WindowWidget>> windows_;
  std::unordered_map<const Window*, QEventLoop*> loops_;
  QPointer<qt::MessageBox> openBox_;
  qt::QtMeasurer measurer_;
  qt::QtAudioOutput audio_;
  // The first frame is drawn without the sound libraries; they load right after it, unless a
  // sound asked for them sooner.
  AfterFirstPaint afterFirstPaint_{[this] { audio_.warmUp(); }};
};

QtBackend::QtBackend(int& argc, char** argv) : QtBackend(argc, argv, Options{}) {}

QtBackend::QtBackend(int& argc, char** argv, Options options)
    : impl_(std::make_unique<Impl>(argc, argv, options)) {}

QtBackend::~QtBackend() = default;

void QtBackend::advance(std::int64_t ms) { impl_->advance(ms); }
void QtBackend::processEvents() { impl_->processEvents(); }

QWidget* QtBackend::widgetOf(const Unit& unit) const {
  WindowWidget* w = impl_->widgetOf(unit.window());
  return w != nullptr ? w->widgetOf(unit) : nullptr;
}

bool QtBackend::saveScreenshot(const Window& window, const std::string& pngPath) {
  WindowWidget* w = impl_->widgetOf(window);
  if (w == nullptr) return false;
  impl_->processEvents();
  return w->grab().save(QString::fromStdString(pngPath), "PNG");
}

qt::QtAudioOutput& QtBackend::qtAudio() { return impl_->audio_; }

void QtBackend::attach(Runtime& runtime) { impl_->runtime_ = &runtime; }

void QtBackend::detach(Runtime& runtime) {
  if (impl_->runtime_ != &runtime) return;
  impl_->runtime_ = nullptr;
  impl_->timer_.stop();
}

std::int64_t QtBackend::nowMs() const { return impl_->nowMs(); }
void QtBackend::timersChanged() { impl_->armTimer(); }
void QtBackend::showWindow(Window& window) { impl_->showWindow(window); }
void QtBackend::runUntilClosed(Window& window) { impl_->runUntilClosed(window); }
void QtBackend::windowClosed(Window& window) { impl_->windowClosed(window); }

void QtBackend::unitChanged(Unit& unit, Property property) {
  if (WindowWidget* w = impl_->widgetOf(unit.window())) w->changed(unit, property);
}

int QtBackend::showMessageBox(const std::string& text, int style, const std::string& caption) {
  return impl_->showMessageBox(text, style, caption);
}

void QtBackend::popupMenu(Window& window, MenuItem& top) { impl_->popupMenu(window, top); }

void QtBackend::playSoundFile(const std::string&, const std::string& nativePath) {
  if (!nativePath.empty()) impl_->playEffect(readFileBytes(nativePath));
}

void QtBackend::playClickSound(const Unit&, const Bytes& wav) { impl_->playEffect(wav); }

AudioOutput& QtBackend::audioOutput() { return impl_->audio_; }

void QtBackend::mediaEvent(const MediaPlayer&, MediaEvent) {}

bool QtBackend::startProgram(const std::string&, const std::string& nativePath,
                             const std::string& workingFolder) {
  if (nativePath.empty()) return false;
  return qt::startDetachedProgram(nativePath, workingFolder);
}

int QtBackend::screenWidth() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().width() : 0;
}

int QtBackend::screenHeight() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().height() : 0;
}

const TextMeasurer& QtBackend::textMeasurer() const { return impl_->measurer_; }

}  // namespace platform
