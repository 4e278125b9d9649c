#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <QByteArray>

namespace painter {

struct OutputFile {
  std::string name;
  QByteArray bytes;
};

// Writes a C++ source that defines assets::embedded::files() with every file's bytes, which the
// assembler reads from the files already written into `folder` (fast to build, whatever their
// size).
void writeEmbeddedSource(const std::filesystem::path& source, const std::filesystem::path& folder,
                         const std::vector<OutputFile>& files);

}  // namespace painter
