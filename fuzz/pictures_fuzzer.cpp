// Any bytes as a design picture, decoded as the desktop backend draws it. Nothing may crash or
// read outside the bytes; the picture and the pixmap of the same bytes agree; a picture in the
// program's own layout is shown at the size its header gives, opaque when the header says so,
// and stays whole after the bytes it was shown from are gone; and any picture written in that
// layout is read back pixel for pixel.
#include <QGuiApplication>
#include <QHashFunctions>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <span>

#include "fuzz/fuzz_support.h"
#include "platform/qt/bitmap_layout.h"
#include "platform/qt/pictures.h"

namespace {

namespace layout = platform::qt::bitmap_layout;

// Larger pictures would only slow the fuzzing: every pixel of these is compared.
constexpr int kLargestCompared = 256;

void startGui() {
  static int argc = 1;
  static char name[] = "pictures_fuzzer";
  static char* argv[] = {name, nullptr};
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static const QGuiApplication app(argc, argv);
}

// The bytes in memory of their own, as a file's are when it is read.
platform::SharedBytes ownCopy(std::span<const std::uint8_t> bytes) {
  return platform::Bytes(bytes.begin(), bytes.end());
}

// The pixels alone, premultiplied as the backend draws them (a file's colour space and
// resolution are not the layout's to keep).
bool samePixels(const QImage& a, const QImage& b) {
  const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (left.size() != right.size()) return false;
  const auto rowBytes = static_cast<std::size_t>(left.width()) * 4;
  for (int y = 0; y < left.height(); ++y) {
    if (std::memcmp(left.constScanLine(y), right.constScanLine(y), rowBytes) != 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  startGui();
  QImage picture;
  QSize opaque;
  std::size_t shown = 0;
  {
    const platform::SharedBytes bytes = ownCopy({data, size});
    picture = platform::qt::decodePicture(bytes);
    opaque = platform::qt::opaqueSize(bytes);
    fuzz::check(platform::qt::decodePixmap(bytes).size() == picture.size(),
                "the pixmap and the picture of the same bytes agree");
    shown = qHashBits(picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes()));
  }
  fuzz::check(
      qHashBits(picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes())) == shown,
      "a picture stays whole after the bytes it was shown from are gone");
  if (opaque.isValid()) {
    fuzz::check(picture.size() == opaque && !picture.hasAlphaChannel(),
                "an opaque picture of the layout is shown opaque at its header's size");
  }

  if (picture.isNull() || picture.width() > kLargestCompared ||
      picture.height() > kLargestCompared) {
    return 0;
  }
  const QByteArray written = layout::encode(picture);
  const auto* writtenBytes = reinterpret_cast<const std::uint8_t*>(written.constData());
  const platform::SharedBytes rewritten =
      ownCopy({writtenBytes, static_cast<std::size_t>(written.size())});
  const QImage readBack = platform::qt::decodePicture(rewritten);
  fuzz::check(layout::read({writtenBytes, static_cast<std::size_t>(written.size())}).has_value(),
              "a picture written in the layout is in the layout");
  fuzz::check(samePixels(readBack, picture.convertToFormat(QImage::Format_ARGB32)),
              "a picture written in the layout reads back pixel for pixel");
  return 0;
}
