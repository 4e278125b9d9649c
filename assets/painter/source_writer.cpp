#include "source_writer.h"

#include <QCryptographicHash>
#include <fstream>
#include <stdexcept>

namespace painter {

void writeEmbeddedSource(const std::filesystem::path& source, const std::filesystem::path& folder,
                         const std::vector<OutputFile>& files) {
  std::ofstream out(source, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + source.string());
  out << "// Made by the asset painter from its drawing code; edit the painter, not this file.\n"
         "#include \"assets/embedded.h\"\n\n";
  // Each file starts on a 64-byte boundary, so pictures' pixels keep that alignment. The
  // digests make the source change with the bytes, whatever a compiler cache looks at.
  out << "asm(R\"(\n  .pushsection .rodata.sorandel_assets,\"a\"\n";
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string path = (folder / files[i].name).generic_string();
    if (path.find_first_of("\"\\\n") != std::string::npos)
      throw std::runtime_error("cannot name " + path + " in an assembler string");
    const QByteArray digest =
        QCryptographicHash::hash(files[i].bytes, QCryptographicHash::Sha256).toHex();
    out << "  .balign 64\n  .type sorandel_asset_" << i << ", STT_OBJECT\nsorandel_asset_" << i
        << ":  /* sha256 " << digest.constData() << " */\n  .incbin \"" << path
        << "\"\n  .size sorandel_asset_" << i << ", . - sorandel_asset_" << i << "\n";
  }
  out << "  .popsection\n)\");\n\n";
  for (std::size_t i = 0; i < files.size(); ++i)
    out << "extern \"C\" const unsigned char sorandel_asset_" << i << "[];\n";
  out << "\nnamespace assets::embedded {\nnamespace {\n\nconst File kFiles[] = {\n";
  for (std::size_t i = 0; i < files.size(); ++i)
    out << "    {\"" << files[i].name << "\", sorandel_asset_" << i << ", " << files[i].bytes.size()
        << "},\n";
  out << "};\n\n}  // namespace\n\nstd::span<const File> files() { return kFiles; }\n\n"
         "}  // namespace assets::embedded\n";
  if (!out) throw std::runtime_error("cannot write " + source.string());
}

}  // namespace painter
