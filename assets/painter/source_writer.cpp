#include "source_writer.h"

#include <fstream>
#include <stdexcept>

namespace painter {

void writeEmbeddedSource(const std::filesystem::path& path, const std::vector<OutputFile>& files) {
  std::ofstream out(path, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + path.string());
  out << "// Made by the asset painter from its drawing code; edit the painter, not this file.\n"
         "#include \"assets/embedded.h\"\n\n"
         "namespace assets::embedded {\nnamespace {\n\n";
  for (std::size_t i = 0; i < files.size(); ++i) {
    out << "const unsigned char kFile" << i << "[] = {";
    const QByteArray& bytes = files[i].bytes;
    for (qsizetype b = 0; b < bytes.size(); ++b) {
      if (b % 24 == 0) out << "\n";
      out << static_cast<unsigned>(static_cast<unsigned char>(bytes[b])) << ",";
    }
    out << "\n};\n\n";
  }
  out << "const File kFiles[] = {\n";
  for (std::size_t i = 0; i < files.size(); ++i)
    out << "    {\"" << files[i].name << "\", kFile" << i << ", sizeof kFile" << i << "},\n";
  out << "};\n\n}  // namespace\n\nstd::span<const File> files() { return kFiles; }\n\n"
         "}  // namespace assets::embedded\n";
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace painter
