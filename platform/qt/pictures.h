#pragma once

#include <QImage>
#include <QPixmap>

#include "platform/system/shared_bytes.h"

namespace platform::qt {

// The picture in JPEG, GIF, PNG or BMP bytes (the first frame of an animation); a null image
// for empty or undecodable bytes. An opaque picture in the program's own layout
// (bitmap_layout.h) is shown from its bytes, neither decoded nor copied: draw it with
// QPainter::drawImage.
QImage decodePicture(const SharedBytes& bytes);

// The size of a picture whose header alone shows it opaque (the program's own layout without
// alpha, which Qt's reader also takes as opaque); an empty size for any other bytes.
QSize opaqueSize(const SharedBytes& bytes);

// The same as a pixmap, for widgets that keep small pictures as pixmaps.
QPixmap decodePixmap(const SharedBytes& bytes);

// A picture decoded when it is first drawn: pictures that are never shown cost nothing.
class LazyPicture {
 public:
  // The picture's bytes changed.
  void reset() {
    image_ = QImage();
    stale_ = true;
  }
  const QImage& image(const SharedBytes& bytes) {
    if (stale_) {
      image_ = decodePicture(bytes);
      stale_ = false;
    }
    return image_;
  }

 private:
  QImage image_;
  bool stale_ = true;
};

}  // namespace platform::qt
