#include "tests/qt/qt_driver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "platform/qt/navigation_bar_widget.h"
#include "platform/qt/progress_bar_widget.h"
#include "platform/qt/rich_edit_widget.h"
#include "platform/utf32.h"

namespace {

int argc = 1;
char programName[] = "qt_tests";
char* argv[] = {programName, nullptr};

std::string describeUnit(const platform::Unit& unit) {
  return std::string(unit.kind()) + " '" + unit.name() + "' of window '" + unit.window().name() +
         "'";
}

// Where a user points at a widget: the middle, or the mark of a check box or radio button.
QPoint hitPoint(const QWidget& w) {
  if (qobject_cast<const QAbstractButton*>(&w) != nullptr) return QPoint(6, w.height() / 2);
  return w.rect().center();
}

Qt::Key qtKeyOf(int virtualKey) {
  switch (virtualKey) {
    case 8:
      return Qt::Key_Backspace;
    case 9:
      return Qt::Key_Tab;
    case 13:
      return Qt::Key_Return;
    case 27:
      return Qt::Key_Escape;
    case 35:
      return Qt::Key_End;
    case 36:
      return Qt::Key_Home;
    case 37:
      return Qt::Key_Left;
    case 38:
      return Qt::Key_Up;
    case 39:
      return Qt::Key_Right;
    case 40:
      return Qt::Key_Down;
    case 45:
      return Qt::Key_Insert;
    case 46:
      return Qt::Key_Delete;
    default:
      return static_cast<Qt::Key>(virtualKey);
  }
}

Qt::KeyboardModifiers modifiersOf(int shiftState) {
  Qt::KeyboardModifiers m;
  m.setFlag(Qt::ControlModifier, (shiftState & 1) != 0);
  m.setFlag(Qt::ShiftModifier, (shiftState & 2) != 0);
  m.setFlag(Qt::AltModifier, (shiftState & 4) != 0);
  return m;
}

// The first point on row `y` of a box that maps to a character position (the right edge when
// none does).
int xOfPosition(platform::qt::RichEditWidget& w, int y, int position) {
  for (int x = 0; x < w.width(); ++x) {
    if (w.positionAt({x, y}) == position) return x;
  }
  return w.width() - platform::RichEditBox::kFrame - 1;
}

QWidget* visibleMessageBox() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "messageBox" && w->isVisible()) return w;
  }
  return nullptr;
}

// Answers the box that is open as a user would: the OK button, or Esc for anything else.
void answerOpenBox(int answer) {
  QWidget* box = visibleMessageBox();
  ASSERT_NE(box, nullptr) << "no message box is shown";
  if (answer == 0) {
    auto* ok = box->findChild<QAbstractButton*>("ok");
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
  } else {
    QTest::keyClick(box, Qt::Key_Escape);
  }
}

QAction* findAction(QMenu& menu, const QString& name) {
  for (QAction* a : menu.actions()) {
    if (a->objectName() == name) return a;
    if (a->menu() != nullptr) {
      if (QAction* found = findAction(*a->menu(), name)) return found;
    }
  }
  return nullptr;
}

void activate(QWidget& w) {
  QWidget* top = w.window();
  top->activateWindow();
  QApplication::setActiveWindow(top);
  w.setFocus(Qt::MouseFocusReason);
}

// The input method confirms text into the focused widget: the commit and an empty preedit.
void sendCommit(QWidget& w, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(&w, &commit);
}

}  // namespace

void ensureQtApplication() {
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

QPoint pointOfPosition(platform::qt::RichEditWidget& w, const platform::RichEditBox& box,
                       int position) {
  const int lh = w.lineHeight();
  const int y =
      platform::RichEditBox::kFrame + box.lineOf(position) * lh - w.scrollOffset() + lh / 2;
  return {xOfPosition(w, y, position), y};
}

int highlightedPixels(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  const QColor highlight = widget.palette().highlight().color();
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == highlight ? 1 : 0;
  }
  return n;
}

QtDriver::QtDriver() {
  ensureQtApplication();
  qt_ = std::make_unique<platform::QtBackend>(
      argc, argv, platform::QtBackend::Options{.manualClock = true, .silent = true});
}

QtDriver::~QtDriver() {
  if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " message box answers never asked for";
  if (!scripts_.empty()) ADD_FAILURE() << scripts_.size() << " window scripts never used";
}

// The offscreen platform's screen is the backend's screen; a test cannot resize it. Known
// difference: the screen-size case is left out of the Qt run (see CMakeLists.txt).
void QtDriver::setScreen(int, int) {}

QWidget* QtDriver::target(platform::Unit& unit, std::string_view action) {
  qt_->processEvents();
  const platform::InputResult state = unit.inputState();
  QWidget* w = qt_->widgetOf(unit);
  if (state != platform::InputResult::Accepted) {
    // Qt must keep the user out as well.
    if (w != nullptr && state == platform::InputResult::Hidden) {
      EXPECT_FALSE(w->isVisible()) << "Qt shows " << describeUnit(unit);
    }
    if (w != nullptr && state == platform::InputResult::Disabled) {
      EXPECT_FALSE(w->isEnabled()) << "Qt enables " << describeUnit(unit);
    }
    if (w != nullptr && state == platform::InputResult::Blocked) {
      QWidget* modal = QApplication::activeModalWidget();
      EXPECT_TRUE((modal != nullptr && modal != w->window()) ||
                  QApplication::activePopupWidget() != nullptr)
          << "Qt lets input reach " << describeUnit(unit);
    }
    ADD_FAILURE() << "A user cannot " << action << " " << describeUnit(unit) << ": "
                  << platform::describe(state);
    return nullptr;
  }
  if (w == nullptr) {
    ADD_FAILURE() << describeUnit(unit) << " has no widget";
    return nullptr;
  }
  if (w != w->window()) {
    QWidget* top = w->window();
    QWidget* hit = top->childAt(w->mapTo(top, hitPoint(*w)));
    if (hit != w && !w->isAncestorOf(hit)) {
      ADD_FAILURE() << describeUnit(unit) << " is covered by "
                    << (hit != nullptr ? hit->metaObject()->className() : "nothing");
      return nullptr;
    }
  }
  return w;
}

bool QtDriver::click(platform::Unit& unit) {
  QWidget* w = target(unit, "click");
  if (w == nullptr) return false;
  QPoint at = hitPoint(*w);
  if (auto* box = dynamic_cast<platform::qt::RichEditWidget*>(w)) {
    // A click on a text box lands where its caret is.
    activate(*box);
    for (int x = 0; x < box->width(); ++x) {
      if (box->positionAt({x, at.y()}) ==
          static_cast<platform::RichEditBox&>(unit).selectionStart()) {
        at.setX(x);
        break;
      }
    }
  }
  QTest::mouseClick(w, Qt::LeftButton, {}, at);
  qt_->processEvents();
  return true;
}

bool QtDriver::rightClick(platform::Unit& unit) {
  QWidget* w = target(unit, "right-click");
  if (w == nullptr) return false;
  QTest::mousePress(w, Qt::RightButton, {}, hitPoint(*w));
  QTest::mouseRelease(w, Qt::RightButton, {}, hitPoint(*w));
  qt_->processEvents();
  return true;
}

bool QtDriver::releaseLeftButtonOnLine(platform::RichEditBox& box, int line, int column) {
  auto* w = dynamic_cast<platform::qt::RichEditWidget*>(target(box, "click a line of"));
  if (w == nullptr) return false;
  const auto& starts = box.lineStarts();
  const int last = static_cast<int>(starts.size()) - 1;
  const int onLine = std::clamp(line, 0, last);
  const int lh = w->lineHeight();
  // Scrolls the line into view as a user would, with the scroll bar.
  if (auto* bar = w->findChild<QScrollBar*>(); bar != nullptr && bar->isVisible()) {
    bar->setValue(onLine * lh);
  }
  const int top = platform::RichEditBox::kFrame + onLine * lh - w->scrollOffset();
  int y = top + lh / 2;
  // Past the last line: below it, where there is room.
  if (line > last && top + lh + lh / 2 < w->height() - platform::RichEditBox::kFrame) {
    y = top + lh + lh / 2;
  }
  const int lineEnd =
      onLine < last ? starts[static_cast<std::size_t>(onLine + 1)] - 1 : box.characterCount();
  const int wanted = std::clamp(starts[static_cast<std::size_t>(onLine)] + std::max(column, 0),
                                starts[static_cast<std::size_t>(onLine)], lineEnd);
  activate(*w);
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(xOfPosition(*w, y, wanted), y));
  qt_->processEvents();
  return true;
}

bool QtDriver::dragAcross(platform::RichEditBox& box, int from, int to) {
  auto* w = dynamic_cast<platform::qt::RichEditWidget*>(target(box, "drag across"));
  if (w == nullptr) return false;
  activate(*w);
  const QPoint start = pointOfPosition(*w, box, from);
  const QPoint end = pointOfPosition(*w, box, to);
  QTest::mousePress(w, Qt::LeftButton, {}, start);
  QMouseEvent move(QEvent::MouseMove, QPointF(end), w->mapToGlobal(QPointF(end)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  QTest::mouseRelease(w, Qt::LeftButton, {}, end);
  qt_->processEvents();
  return true;
}

bool QtDriver::type(platform::Unit& box, std::string_view utf8) {
  QWidget* w = target(box, "type into");
  if (w == nullptr) return false;
  activate(*w);
  for (char32_t c : platform::toCodePoints(utf8)) {
    if (c == U'\n') {
      QTest::keyClick(w, Qt::Key_Return);
    } else if (c < 0x80) {
      QTest::keyClick(w, static_cast<char>(c));
    } else {
      // What is not on the keys comes from the input method.
      sendCommit(*w, QString::fromUcs4(&c, 1));
    }
  }
  qt_->processEvents();
  return true;
}

bool QtDriver::commitComposition(platform::Unit& box, std::string_view utf8) {
  QWidget* w = target(box, "commit a composition into");
  if (w == nullptr) return false;
  activate(*w);
  sendCommit(*w, QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
  qt_->processEvents();
  return true;
}

bool QtDriver::paste(platform::Unit& box, std::string_view utf8) {
  QWidget* w = target(box, "paste into");
  if (w == nullptr) return false;
  activate(*w);
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size())));
  QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
  qt_->processEvents();
  return true;
}

bool QtDriver::pressKey(platform::Unit& unit, int keyCode, int shiftState) {
  QWidget* w = target(unit, "press a key on");
  if (w == nullptr) return false;
  activate(*w);
  QTest::keyClick(w, qtKeyOf(keyCode), modifiersOf(shiftState));
  qt_->processEvents();
  return true;
}

bool QtDriver::selectRow(platform::ListView& list, int row) {
  auto* view = dynamic_cast<QTreeView*>(target(list, "select a row of"));
  if (view == nullptr) return false;
  if (row < 0 || row >= list.getRowCount()) {
    ADD_FAILURE() << "A user cannot select row " << row << " of " << describeUnit(list);
    return false;
  }
  const QModelIndex index = view->model()->index(row, 0);
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  qt_->processEvents();
  return true;
}

bool QtDriver::clickItem(platform::NavigationBar& bar, int group, int item) {
  auto* w = dynamic_cast<platform::qt::NavigationBarWidget*>(target(bar, "click an item of"));
  if (w == nullptr) return false;
  const auto& groups = bar.groups();
  if (group < 0 || group >= static_cast<int>(groups.size()) || item < 0 ||
      item >= static_cast<int>(groups[static_cast<std::size_t>(group)].items.size())) {
    ADD_FAILURE() << "A user cannot click item " << group << "/" << item << " of "
                  << describeUnit(bar);
    return false;
  }
  if (w->openGroup() != group)
    QTest::mouseClick(w, Qt::LeftButton, {}, w->headerRect(group).center());
  QTest::mouseClick(w, Qt::LeftButton, {}, w->itemRect(item).center());
  qt_->processEvents();
  return true;
}

bool QtDriver::dragTo(platform::ProgressBar& slider, int position) {
  auto* w = dynamic_cast<platform::qt::ProgressBarWidget*>(target(slider, "drag"));
  if (w == nullptr) return false;
  if (!slider.slider()) {
    ADD_FAILURE() << "A user cannot drag " << describeUnit(slider) << ": it is no slider";
    return false;
  }
  const int kept =
      std::clamp(position, slider.minimum(), std::max(slider.minimum(), slider.maximum()));
  int x = w->width() - 1;
  for (int probe = 0; probe < w->width(); ++probe) {
    if (w->positionAtX(probe) == kept) {
      x = probe;
      break;
    }
  }
  const QPoint at(x, w->height() / 2);
  QTest::mousePress(w, Qt::LeftButton, {}, at);
  QTest::mouseRelease(w, Qt::LeftButton, {}, at);
  qt_->processEvents();
  return true;
}

bool QtDriver::choose(platform::MenuItem& item) {
  qt_->processEvents();
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QAction* action =
      menu != nullptr ? findAction(*menu, QString::fromStdString(item.name())) : nullptr;
  if (action == nullptr || !action->isEnabled()) {
    ADD_FAILURE() << "A user cannot choose " << describeUnit(item)
                  << (menu == nullptr ? ": no menu is open" : ": the menu offers no such item");
    return false;
  }
  if (menu->actions().contains(action)) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  } else {
    // An item of a submenu: chosen once its submenu has opened.
    action->trigger();
    menu->hide();
  }
  qt_->processEvents();
  return true;
}

bool QtDriver::pressEsc(platform::Window& window) {
  QWidget* w = target(window, "press Esc on");
  if (w == nullptr) return false;
  QWidget* focus = w->focusWidget();
  QTest::keyClick(focus != nullptr ? focus : w, Qt::Key_Escape);
  qt_->processEvents();
  return true;
}

bool QtDriver::closeWindow(platform::Window& window) {
  QWidget* w = target(window, "close");
  if (w == nullptr) return false;
  w->close();
  qt_->processEvents();
  return true;
}

void QtDriver::answerNextMessageBox(std::function<int(const MessageBox&)> answer) {
  answers_.push_back(std::move(answer));
}

void QtDriver::whenWindowOpens(std::type_index type,
                               std::function<void(platform::Window&)> script) {
  scripts_.push_back({type, std::move(script)});
}

void QtDriver::attach(platform::Runtime& runtime) {
  runtime_ = &runtime;
  qt_->attach(runtime);
}

void QtDriver::detach(platform::Runtime& runtime) {
  if (runtime_ == &runtime) runtime_ = nullptr;
  qt_->detach(runtime);
}

void QtDriver::runUntilClosed(platform::Window& window) {
  const auto it = std::find_if(scripts_.begin(), scripts_.end(),
                               [&](const WindowScript& s) { return s.type == typeid(window); });
  if (it == scripts_.end()) {
    ADD_FAILURE() << "Window '" << window.name()
                  << "' opened, but the test gave no script for it (whenWindowOpens)";
    window.close();
    return;
  }
  auto script = std::move(it->script);
  scripts_.erase(it);
  // The script runs as the user of the open window, inside its event loop.
  QTimer::singleShot(0, [this, &window, script = std::move(script)] {
    script(window);
    if (window.isOpen()) {
      ADD_FAILURE() << "Window '" << window.name() << "' is still open after its script";
      window.close();
    }
    qt_->processEvents();
  });
  qt_->runUntilClosed(window);
}

int QtDriver::showMessageBox(const std::string& text, int style, const std::string& caption) {
  MessageBox box{text, style, caption, nowMs(), 1};
  std::function<int(const MessageBox&)> answer;
  if (answers_.empty()) {
    ADD_FAILURE() << "Unexpected message box \"" << text << "\" (style " << style << ", caption \""
                  << caption << "\"); it is closed as not OK";
    answer = [](const MessageBox&) { return 1; };
  } else {
    answer = std::move(answers_.front());
    answers_.pop_front();
  }
  QTimer::singleShot(0, [box, answer] { answerOpenBox(answer(box)); });
  box.answer = qt_->showMessageBox(text, style, caption);
  boxes_.push_back(box);
  return box.answer;
}

void QtDriver::playSoundFile(const std::string& file, const std::string& nativePath) {
  sounds_.push_back({nowMs(), file, !nativePath.empty()});
  qt_->playSoundFile(file, nativePath);
}

void QtDriver::playClickSound(const platform::Unit& button, const platform::Bytes& wav) {
  clickSounds_.push_back({nowMs(), button.name(), !wav.empty()});
  qt_->playClickSound(button, wav);
}

void QtDriver::mediaEvent(const platform::MediaPlayer& player, platform::MediaEvent event) {
  recordings_.push_back({nowMs(), event, player.file(), player.getLength()});
  qt_->mediaEvent(player, event);
}

bool QtDriver::startProgram(const std::string& file, const std::string& nativePath,
                            const std::string& workingFolder) {
  starts_.push_back({file, nativePath, workingFolder});
  return qt_->startProgram(file, nativePath, workingFolder);
}

std::vector<DriverFactory> allDrivers() {
  return {{"Qt", [] { return std::make_unique<QtDriver>(); }}};
}
