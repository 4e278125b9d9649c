#include "platform/qt/qt_style.h"

#include <QFontDatabase>
#include <cmath>
#include <string>

namespace platform::qt {

namespace {

// The Song (Ming) faces, Fangsong, Kai and the plain sans face; each list ends in a face that
// has kana too, so Japanese text is drawn in a matching face rather than a random fallback.
// The lists stay lists although Qt then asks fontconfig for its fallbacks at every first use of
// a font and script (some 2 ms of a start): UKai lacks Japanese forms the lessons use (図 様 隣
// 歩 ...), which the list draws in the Song face where fontconfig would pick the sans one.
const QStringList kSong{"Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC"};
const QStringList kFangsong{"AR PL UKai CN", "Noto Serif CJK SC", "Noto Sans CJK SC"};
const QStringList kKai{"AR PL UKai CN", "Noto Serif CJK SC", "Noto Sans CJK SC"};
const QStringList kSans{"Noto Sans CJK SC", "AR PL UMing CN", "DejaVu Sans"};

}  // namespace

QStringList familiesFor(std::string_view name) {
  if (name == "宋体" || name == "新宋体" || name == "SimSun" || name == "NSimSun") return kSong;
  if (name == "仿宋" || name == "仿宋_GB2312" || name == "FangSong") return kFangsong;
  if (name == "楷体" || name == "楷体_GB2312" || name == "KaiTi") return kKai;
  const QString own = toQString(name);
  if (!own.isEmpty() && QFontDatabase::hasFamily(own)) return QStringList{own} + kSans;
  return kSans;
}

QFont toQFont(const Font& font) {
  QFont f;
  f.setFamilies(familiesFor(font.name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize()))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  return f;
}

QColor toQColor(Color color, QColor fallback) {
  if (color == kDefaultColor) return fallback;
  return QColor(redOf(color), greenOf(color), blueOf(color));
}

}  // namespace platform::qt
