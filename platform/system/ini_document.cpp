#include "platform/system/ini_document.h"

#include <algorithm>
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

std::string decode(IniDocument::Encoding encoding, std::string_view raw) {
  return encoding == IniDocument::Encoding::gbk ? gbkToUtf8(raw) : std::string(raw);
}

std::string_view unquoted(std::string_view value) {
  return wrappedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

// Splits the bytes into lines, each given to `take` as its start, its length without the line
// break, and the line break; `take` returns false to stop there. A byte order mark is the
// caller's to remove.
template <class Take>
void forEachLine(std::string_view bytes, Take&& take) {
  size_t start = 0;
  while (start < bytes.size()) {
    const auto newline = bytes.find('\n', start);
    size_t length = (newline == std::string_view::npos ? bytes.size() : newline) - start;
    std::string_view ending;
    if (newline != std::string_view::npos) {
      const bool crlf = length > 0 && bytes[newline - 1] == '\r';
      if (crlf) --length;
      ending = crlf ? kCrLf : kLf;
    }
    if (!take(start, length, ending)) return;
    start = newline == std::string_view::npos ? bytes.size() : newline + 1;
  }
}

}  // namespace

// Follows the lines in order the way a read looks for a key: only the first section of the
// name counts, and the first key of the name in it. Only the lines that can matter are decoded.
class IniDocument::Search {
 public:
  Search(Encoding encoding, std::string_view section, std::string_view key)
      : encoding_(encoding), section_(trim(section)), key_(trim(key)) {}

  // False once no later line can change what is found.
  bool take(size_t index, std::string_view raw) {
    // A header starts with '[' in its bytes too: a line starts on a character, and spaces and
    // tabs are never part of a GBK character.
    if (trim(raw).starts_with('[')) {
      const std::string text = decode(encoding_, raw);
      if (const auto name = sectionName(text)) {
        if (place.section) return false;
        if (sameNameIgnoringAsciiCase(*name, section_)) place.section = place.endOfSection = index;
        return true;
      }
    }
    if (!place.section) return true;
    // '=' is never part of a GBK character either: the key is decoded alone, and the whole line
    // only once its key is the one looked for.
    const auto equals = raw.find('=');
    if (equals == std::string_view::npos) return true;
    const std::string keyText = decode(encoding_, raw.substr(0, equals + 1));
    const auto line = keyLine(keyText);
    if (!line) return true;
    place.endOfSection = index;
    if (!sameNameIgnoringAsciiCase(line->key, key_)) return true;
    place.key = index;
    const std::string text = decode(encoding_, raw);
    value = unquoted(keyLine(text)->value);
    return false;
  }

  Place place;
  std::optional<std::string> value;

 private:
  Encoding encoding_;
  std::string_view section_;
  std::string_view key_;
};

IniDocument IniDocument::parse(std::string_view bytes) {
  IniDocument document;
  if (bytes.starts_with(kBom)) {
    document.encoding_ = Encoding::utf8WithBom;
    bytes.remove_prefix(kBom.size());
  }
  document.file_ = bytes;
  document.lines_.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  forEachLine(bytes, [&](size_t start, size_t length, std::string_view ending) {
    document.lines_.push_back(Line{start, length, ending, std::nullopt});
    return true;
  });
  return document;
}

std::optional<std::string> IniDocument::valueIn(std::string_view bytes, std::string_view section,
                                                std::string_view key) {
  const bool utf8 = bytes.starts_with(kBom);
  if (utf8) bytes.remove_prefix(kBom.size());
  Search search(utf8 ? Encoding::utf8WithBom : Encoding::gbk, section, key);
  size_t index = 0;
  forEachLine(bytes, [&](size_t start, size_t length, std::string_view) {
    return search.take(index++, bytes.substr(start, length));
  });
  return search.value;
}

std::string_view IniDocument::rawOf(const Line& line) const {
  if (line.replaced) return *line.replaced;
  return std::string_view(file_).substr(line.start, line.length);
}

std::string IniDocument::textOf(const Line& line) const { return decode(encoding_, rawOf(line)); }

IniDocument::Place IniDocument::find(std::string_view section, std::string_view key) const {
  Search search(encoding_, section, key);
  for (size_t i = 0; i < lines_.size() && search.take(i, rawOf(lines_[i])); ++i) {
  }
  return search.place;
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
    const std::string text = join({keyLine(textOf(line))->key, "=", stored});
    line.replaced = encoding_ == Encoding::gbk ? *utf8ToGbk(text) : text;
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
  bytes.reserve(bytes.size() + file_.size());
  for (const Line& line : lines_) {
    bytes += rawOf(line);
    bytes += line.ending;
  }
  return bytes;
}

bool IniDocument::canEncode(std::string_view text) const {
  return encoding_ == Encoding::utf8WithBom || utf8ToGbk(text).has_value();
}

// Used when a name or value holds a character GBK cannot encode: the whole file moves to UTF-8
// rather than losing that character.
void IniDocument::convertToUtf8() {
  for (Line& line : lines_) line.replaced = textOf(line);
  encoding_ = Encoding::utf8WithBom;
}

void IniDocument::insertLine(size_t index, std::string_view text) {
  const std::string_view ending = newline();
  if (index > 0 && lines_[index - 1].ending.empty()) lines_[index - 1].ending = ending;
  Line line;
  line.replaced = encoding_ == Encoding::gbk ? *utf8ToGbk(text) : std::string(text);
  line.ending = ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

// New lines follow the file's own line breaks; a new file gets the Windows ones.
std::string_view IniDocument::newline() const {
  for (const Line& line : lines_) {
    if (!line.ending.empty()) return line.ending;
  }
  return kCrLf;
}

}  // namespace platform
