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

// Writes a C++ source that defines assets::embedded::files() with every file's bytes.
void writeEmbeddedSource(const std::filesystem::path& path, const std::vector<OutputFile>& files);

}  // namespace painter
