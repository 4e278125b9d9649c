#pragma once

#include <QPixmap>

#include "platform/system/bytes.h"

namespace platform::qt {

// The picture in JPEG, GIF, PNG or BMP bytes (the first frame of an animation); a null pixmap
// for empty or undecodable bytes.
QPixmap decodePicture(const Bytes& bytes);

}  // namespace platform::qt
