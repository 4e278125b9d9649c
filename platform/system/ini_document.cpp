#include "platform/system/ini_document.h"

#include <initializer_list>

#include "platform/system/ascii_names.h"
#include "platform/system/gbk.h"

namespace platform {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";

std::string join(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (std::string_view part : parts) joined += part;
  return joined;
}

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool isQuote(char c) { return c == '"' || c == '\''; }

bool wrappedInQuotes(std::string_view text) {
  return text.size() >= 2 && isQuote(text.front()) && text.front() == text.back();
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

std::optional<std::string_view> sectionName(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
  const auto trimmed = trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const auto key = trim(trimmed.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return KeyLine{key, trim(trimmed.substr(equals + 1))};
}

// The value as it goes on its line: one line, and quoted where reading it back would otherwise
// trim its spaces or strip its own quotes.
std::string storedValue(std::string_view value) {
  std::string stored;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' || value[i] == '\n') {
      if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      stored += ' ';
    } else {
      stored += value[i];
    }
  }
  if (trim(stored) != stored || wrappedInQuotes(stored)) stored = join({"\"", stored, "\""});
  return stored;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
  IniDocument document;
  if (bytes.starts_with(kBom)) {
    document.encoding_ = Encoding::utf8WithBom;
    bytes.remove_prefix(kBom.size());
  }
  while (!bytes.empty()) {
    Line line;
    const auto newline = bytes.find('\n');
    std::string_view content = bytes.substr(0, newline);
    bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
    std::string_view ending;
    if (newline != std::string_view::npos) {
      const bool crlf = content.ends_with('\r');
      if (crlf) content.remove_suffix(1);
      ending = crlf ? kCrLf : kLf;
    }
    line.ending = ending;
    line.raw = content;
    line.text = document.encoding_ == Encoding::gbk ? gbkToUtf8(content) : std::string(content);
    document.lines_.push_back(std::move(line));
  }
  return document;
}

IniDocument::Place IniDocument::find(std::string_view section, std::string_view key) const {
  Place place;
  section = trim(section);
  key = trim(key);
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string& text = lines_[i].text;
    if (const auto name = sectionName(text)) {
      if (place.section) break;  // only the first section of that name counts
      if (sameNameIgnoringAsciiCase(*name, section)) place.section = place.endOfSection = i;
      continue;
    }
    if (!place.section) continue;
    if (const auto line = keyLine(text)) {
      place.endOfSection = i;
      if (!place.key && sameNameIgnoringAsciiCase(line->key, key)) place.key = i;
    }
  }
  return place;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
  const Place place = find(section, key);
  if (!place.key) return std::nullopt;
  std::string_view value = keyLine(lines_[*place.key].text)->value;
  if (wrappedInQuotes(value)) value = value.substr(1, value.size() - 2);
  return std::string(value);
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  section = trim(section);
  key = trim(key);
  if (section.empty() || hasLineBreak(section) || section.find(']') != section.npos) return false;
  if (key.empty() || hasLineBreak(key) || key.find('=') != key.npos || key.front() == ';' ||
      key.front() == '[') {
    return false;
  }
  const std::string stored = storedValue(value);
  if (!canEncode(section) || !canEncode(key) || !canEncode(stored)) convertToUtf8();

  const Place place = find(section, key);
  if (place.key) {
    Line& line = lines_[*place.key];
    line.text = join({keyLine(line.text)->key, "=", stored});
    line.raw = encoding_ == Encoding::gbk ? *utf8ToGbk(line.text) : line.text;
  } else if (place.section) {
    insertLine(place.endOfSection + 1, join({key, "=", stored}));
  } else {
    insertLine(lines_.size(), join({"[", section, "]"}));
    insertLine(lines_.size(), join({key, "=", stored}));
  }
  return true;
}

std::string IniDocument::bytes() const {
  std::string bytes = encoding_ == Encoding::utf8WithBom ? std::string(kBom) : std::string();
  for (const Line& line : lines_) bytes += line.raw + line.ending;
  return bytes;
}

bool IniDocument::canEncode(std::string_view text) const {
  return encoding_ == Encoding::utf8WithBom || utf8ToGbk(text).has_value();
}

// Used when a name or value holds a character GBK cannot encode: the whole file moves to UTF-8
// rather than losing that character.
void IniDocument::convertToUtf8() {
  encoding_ = Encoding::utf8WithBom;
  for (Line& line : lines_) line.raw = line.text;
}

void IniDocument::insertLine(size_t index, std::string text) {
  const std::string ending = newline();
  if (index > 0 && lines_[index - 1].ending.empty()) lines_[index - 1].ending = ending;
  Line line;
  line.raw = encoding_ == Encoding::gbk ? *utf8ToGbk(text) : text;
  line.text = std::move(text);
  line.ending = ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

// New lines follow the file's own line breaks; a new file gets the Windows ones.
std::string IniDocument::newline() const {
  for (const Line& line : lines_) {
    if (!line.ending.empty()) return line.ending;
  }
  return std::string(kCrLf);
}

}  // namespace platform
