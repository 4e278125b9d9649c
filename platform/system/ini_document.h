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
  // The key's value in a file's bytes: one pass over them, holding no line.
  static std::optional<std::string> valueIn(std::string_view bytes, std::string_view section,
                                            std::string_view key);

  // False (document unchanged) when the section or key cannot be a name in the file.
  bool set(std::string_view section, std::string_view key, std::string_view value);

  std::string bytes() const;
  Encoding encoding() const { return encoding_; }

 private:
  // A line is a stretch of the file's bytes until it is changed; a large file is then held once,
  // not once more line by line.
  struct Line {
    size_t start = 0;
    size_t length = 0;
    std::string_view ending;              // "\r\n", "\n", or "" for a last line without one
    std::optional<std::string> replaced;  // the bytes of a changed or added line
  };

  struct Place {
    std::optional<size_t> section;  // index of the header line
    std::optional<size_t> key;      // index of the key's line
    size_t endOfSection = 0;        // where a new key of the section goes
  };

  class Search;

  std::string_view rawOf(const Line& line) const;
  std::string textOf(const Line& line) const;
  Place find(std::string_view section, std::string_view key) const;
  bool canEncode(std::string_view text) const;
  void convertToUtf8();
  void insertLine(size_t index, std::string_view text);
  std::string_view newline() const;

  Encoding encoding_ = Encoding::gbk;
  std::string file_;  // as read, without a byte order mark
  std::vector<Line> lines_;
};

}  // namespace platform
