// The kinds whose properties carry no rule beyond "read back what was written".
#include "platform/group_box.h"
#include "platform/label.h"
#include "platform/picture_box.h"
#include "platform/web_view.h"

namespace platform {

void PictureBox::setPicture(SharedBytes picture) {
  write(picture_, std::move(picture), Property::Picture);
}

void GroupBox::setCaption(std::string caption) {
  write(caption_, std::move(caption), Property::Caption);
}

void Label::setCaption(std::string caption) {
  write(caption_, std::move(caption), Property::Caption);
}

void Label::setTextIndent(int pixels) { write(textIndent_, pixels, Property::Appearance); }

void WebView::navigate(std::string address) {
  write(address_, std::move(address), Property::Address);
}

}  // namespace platform
