#include "platform/edit_box.h"

#include "platform/utf32.h"
#include "platform/virtual_keys.h"

namespace platform {

void EditBox::setContent(std::string content) {
  write(content_, std::move(content), Property::Content);
}

void EditBox::setMultiLine(bool multiLine) { write(multiLine_, multiLine, Property::Appearance); }

void EditBox::handleKey(int keyCode, int) {
  if (keyCode == vk::kBackspace && !content_.empty()) {
    std::size_t end = content_.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(content_[end]) & 0xC0) == 0x80) --end;
    // CR LF goes as one line break.
    if (end > 0 && content_[end] == '\n' && content_[end - 1] == '\r') --end;
    content_.erase(end);
    changed(Property::Content);
  } else if (keyCode == vk::kEnter && multiLine_) {
    content_ += "\r\n";
    changed(Property::Content);
  }
}

void EditBox::handleText(std::u32string_view text, TextEntry) {
  for (char32_t c : text) {
    if (c == U'\n' || c == U'\r') {
      if (multiLine_) content_ += "\r\n";
      continue;
    }
    appendUtf8(content_, c);
  }
  changed(Property::Content);
}

}  // namespace platform
