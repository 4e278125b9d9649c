#include "content/keys.h"

namespace content {

std::string lessonKey(std::string_view courseKey, std::string_view theme) {
  std::string key(courseKey);
  key += theme;
  return key;
}

std::string practiceSetId(std::string_view courseKey, std::string_view mode,
                          std::string_view kind) {
  std::string id(courseKey);
  id += mode;
  id += kind;
  return id;
}

}  // namespace content
