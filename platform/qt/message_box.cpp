#include "platform/qt/message_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_style.h"

namespace platform::qt {

MessageBox::MessageBox(const std::string& text, int style, const std::string& caption) {
  setObjectName("messageBox");
  setWindowTitle(toQString(caption));
  setWindowModality(Qt::ApplicationModal);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 20, 24, 14);
  layout->setSpacing(16);
  auto* label = new QLabel(toQString(text), this);
  label->setWordWrap(true);
  label->setMinimumWidth(220);
  label->setTextFormat(Qt::PlainText);
  layout->addWidget(label);
  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  if (style == 1) {
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancel");
  }
  buttons->setCenterButtons(true);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(kOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(kNotOk); });
}

}  // namespace platform::qt
