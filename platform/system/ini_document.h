#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The lines of a profile file as they are on disk, each with its decoded text, so that a write
// changes the one line it must and keeps every other byte.
class IniDocument {
 public:
  enum class Encoding { gbk, utf8WithBom };

  static IniDocument parse(std::string_view bytes);

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  // False (document unchanged) when the section or key cannot be a name in the file.
  bool set(std::string_view section, std::string_view key, std::string_view value);

  std::string bytes() const;
  Encoding encoding() const { return encoding_; }

 private:
  struct Line {
    std::string raw;     // the bytes of the line as stored
    std::string ending;  // "\r\n", "\n", or "" for a last line without one
    std::string text;    // the line decoded to UTF-8
  };

  struct Place {
    std::optional<size_t> section;  // index of the header line
    std::optional<size_t> key;      // index of the key's line
    size_t endOfSection = 0;        // where a new key of the section goes
  };

  Place find(std::string_view section, std::string_view key) const;
  bool canEncode(std::string_view text) const;
  void convertToUtf8();
  void insertLine(size_t index, std::string text);
  std::string newline() const;

  Encoding encoding_ = Encoding::gbk;
  std::vector<Line> lines_;
};

}  // namespace platform
