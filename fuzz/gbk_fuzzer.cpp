// GBK both ways. Any bytes decode to valid UTF-8; text that GBK can hold comes back unchanged
// from GBK; and bytes read, then written, then read again read the same.
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/system/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string decoded = platform::gbkToUtf8(bytes);
  fuzz::check(platform::isValidUtf8(decoded), "any bytes decode to valid UTF-8");
  if (const auto encoded = platform::utf8ToGbk(decoded)) {
    fuzz::check(platform::gbkToUtf8(*encoded) == decoded, "decoded text survives a write");
  }

  if (const auto encoded = platform::utf8ToGbk(bytes)) {
    fuzz::check(platform::isValidUtf8(bytes), "only valid UTF-8 is encoded");
    fuzz::check(platform::gbkToUtf8(*encoded) == bytes, "text GBK can hold comes back unchanged");
  }
  return 0;
}
