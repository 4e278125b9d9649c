#pragma once

#include <QDialog>
#include <string>

namespace platform::qt {

// The modal message box: style 0 has OK alone, style 1 OK and Cancel. OK answers 0; Cancel,
// Esc and the close box answer 2. Its buttons are named "ok" and "cancel" for tests.
class MessageBox : public QDialog {
 public:
  MessageBox(const std::string& text, int style, const std::string& caption);
  static constexpr int kOk = 0;
  static constexpr int kNotOk = 2;

  // Esc and the close box land here; Qt's own "rejected" is 0, which would read as OK.
  void reject() override { done(kNotOk); }
};

}  // namespace platform::qt
