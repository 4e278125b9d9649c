// The settings file as any bytes: reading it, writing one key into it and reading it back. A
// written value reads back as written (its line breaks as spaces), every other key keeps its
// value, and a refused write leaves the file as it was.
#include <fstream>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/system/ascii_names.h"
#include "platform/system/file_io.h"
#include "platform/system/ini_document.h"
#include "platform/system/settings_file.h"

namespace {

constexpr std::string_view kMissing = "\x01(missing)";

std::string_view trimmed(std::string_view name) {
  const auto first = name.find_first_not_of(" \t");
  if (first == name.npos) return {};
  return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
  return platform::sameNameIgnoringAsciiCase(trimmed(a), trimmed(b));
}

// A value as it reads back: each line break (CR LF, CR or LF) stored as one space.
std::string asReadBack(std::string_view value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    text += value[i] == '\r' || value[i] == '\n' ? ' ' : value[i];
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFolder folder;
  const std::string file = folder.path() + "/setting.ini";

  fuzz::Input input(data, size);
  const std::string section(input.text());
  const std::string key(input.text());
  const std::string value(input.text());
  const std::string otherSection(input.text());
  const std::string otherKey(input.text());
  const std::string_view bytes = input.rest();

  fuzz::check(platform::IniDocument::parse(bytes).bytes() == bytes,
              "a document keeps every byte of the file it was read from");

  std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
  const std::string otherBefore = platform::readIniText(file, otherSection, otherKey, kMissing);
  if (!platform::writeIniText(file, section, key, value)) {
    fuzz::check(platform::readWholeFile(file) == bytes, "a refused write leaves the file alone");
    return 0;
  }
  fuzz::check(platform::readIniText(file, section, key, kMissing) == asReadBack(value),
              "a written value reads back as written");
  if (!sameName(section, otherSection) || !sameName(key, otherKey)) {
    fuzz::check(platform::readIniText(file, otherSection, otherKey, kMissing) == otherBefore,
                "a write keeps every other key's value");
  }
  return 0;
}
