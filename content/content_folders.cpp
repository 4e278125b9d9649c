#include "content/content_folders.h"

namespace content {

std::string ContentFolders::recording(std::string_view sound) {
  std::string tail(musicFolder);
  tail += sound;
  tail += recordingExtension;
  return tail;
}

std::string ContentFolders::path(std::string_view programFolder, std::string_view tail) {
  std::string full(programFolder);
  full += tail;
  return full;
}

}  // namespace content
