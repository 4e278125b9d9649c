#include "platform/qt/pictures.h"

namespace platform::qt {

QPixmap decodePicture(const Bytes& bytes) {
  QPixmap pixmap;
  if (!bytes.empty()) {
    pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
  }
  return pixmap;
}

}  // namespace platform::qt
