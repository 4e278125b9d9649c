#include "platform/qt/pictures.h"

#include <bit>
#include <cstdint>

#include "platform/qt/bitmap_layout.h"

namespace platform::qt {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the layout's pixels are QImage's 32-bit formats on little-endian machines");

void releaseBytes(void* held) { delete static_cast<SharedBytes*>(held); }

// Qt draws RGB32 as if every fourth byte were 0xff, so an opaque picture must hold exactly that.
bool opaqueBytes(const std::uint8_t* pixels, std::size_t count) {
  std::uint8_t all = 0xff;
  for (std::size_t i = 3; i < count; i += 4) all &= pixels[i];
  return all == 0xff;
}

// The pixels of a picture in the program's own layout, held by the image; a null image when the
// bytes are in any other form.
QImage wrapBitmap(const SharedBytes& bytes) {
  const auto shape = bitmap_layout::read({bytes.data(), bytes.size()});
  if (!shape) return QImage();
  const std::uint8_t* pixels = bytes.data() + bitmap_layout::kPixelOffset;
  if (reinterpret_cast<std::uintptr_t>(pixels) % alignof(QRgb) != 0) return QImage();
  const auto rowBytes = static_cast<qsizetype>(shape->width) * 4;
  const auto count = static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(shape->height);
  if (!shape->alpha && !opaqueBytes(pixels, count)) return QImage();
  QImage wrapped(pixels, shape->width, shape->height, rowBytes,
                 shape->alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32, releaseBytes,
                 new SharedBytes(bytes));
  // Straight alpha would be premultiplied on every paint: once here instead.
  if (shape->alpha) return wrapped.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return wrapped;
}

// Qt's readers, and Qt's choice of the format to draw from (as a pixmap holds it).
QPixmap readPixmap(const SharedBytes& bytes) {
  QPixmap pixmap;
  if (!bytes.empty()) pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
  return pixmap;
}

}  // namespace

QImage decodePicture(const SharedBytes& bytes) {
  const QImage wrapped = wrapBitmap(bytes);
  return wrapped.isNull() ? readPixmap(bytes).toImage() : wrapped;
}

QSize opaqueSize(const SharedBytes& bytes) {
  const auto shape = bitmap_layout::read({bytes.data(), bytes.size()});
  return shape && !shape->alpha ? QSize(shape->width, shape->height) : QSize();
}

QPixmap decodePixmap(const SharedBytes& bytes) {
  const QImage wrapped = wrapBitmap(bytes);
  return wrapped.isNull() ? readPixmap(bytes) : QPixmap::fromImage(wrapped);
}

}  // namespace platform::qt
