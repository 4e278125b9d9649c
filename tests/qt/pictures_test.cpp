#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <cstring>
#include <functional>
#include <string>

#include "platform/qt/bitmap_layout.h"
#include "platform/qt/pictures.h"

namespace {

namespace layout = platform::qt::bitmap_layout;
using platform::SharedBytes;
using platform::qt::decodePicture;

class PicturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "pictures_test";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
  }
};

// A gradient with an antialiased disc: every channel varies, and a transparent picture has
// every alpha from 0 to 255.
QImage painted(int width, int height, bool transparent) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(transparent ? Qt::transparent : QColor(20, 90, 160));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, width, height);
  g.setColorAt(0, QColor(250, 200, 10, transparent ? 40 : 255));
  g.setColorAt(1, QColor(30, 220, 120, 255));
  p.setBrush(g);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(width * 0.1, height * 0.1, width * 0.8, height * 0.8));
  return image;
}

QByteArray encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

SharedBytes shared(const QByteArray& bytes) { return platform::Bytes(bytes.begin(), bytes.end()); }

// What the widgets drew before the program's layout existed: Qt's readers into a pixmap.
QImage throughQt(const SharedBytes& bytes) {
  QPixmap pixmap;
  pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
  return pixmap.toImage();
}

QImage asDrawn(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST_F(PicturesTest, TheProgramsLayoutShowsWhatThePngShowedWithoutCopyingOpaquePixels) {
  struct Case {
    const char* name;
    int width;
    int height;
    bool transparent;
  };
  const Case kCases[] = {
      {"opaque", 64, 48, false},   {"transparent", 60, 60, true},
      {"odd width", 37, 5, false}, {"odd width, transparent", 13, 7, true},
      {"one pixel", 1, 1, false},  {"one transparent pixel", 1, 1, true},
      {"one row", 101, 1, false},  {"one column", 1, 33, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const QImage picture = painted(c.width, c.height, c.transparent);
    const QImage before = throughQt(shared(encoded(picture, "PNG")));
    QImage shown;
    const std::uint8_t* pixels = nullptr;
    {
      const SharedBytes bytes = shared(layout::encode(picture));
      ASSERT_TRUE(layout::read({bytes.data(), bytes.size()}).has_value());
      pixels = bytes.data() + layout::kPixelOffset;
      shown = decodePicture(bytes);
    }  // the image holds the bytes it shows
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), QSize(c.width, c.height));
    EXPECT_EQ(asDrawn(shown), asDrawn(before));
    if (c.transparent) {
      EXPECT_EQ(shown.format(), QImage::Format_ARGB32_Premultiplied);
    } else {
      EXPECT_EQ(shown.format(), QImage::Format_RGB32);
      EXPECT_EQ(shown.constBits(), pixels);
    }
  }
}

TEST_F(PicturesTest, PixelsOffTheirAlignmentAreCopiedThroughQtsReader) {
  const QByteArray file = layout::encode(painted(9, 4, false));
  QByteArray storage(file.size() + 1, '\0');
  std::memcpy(storage.data() + 1, file.constData(), file.size());
  const auto* start = reinterpret_cast<const std::uint8_t*>(storage.constData()) + 1;
  const SharedBytes unaligned =
      SharedBytes::lasting({start, static_cast<std::size_t>(file.size())});
  const QImage shown = decodePicture(unaligned);
  EXPECT_NE(shown.constBits(), start + layout::kPixelOffset);
  EXPECT_EQ(asDrawn(shown), asDrawn(throughQt(shared(file))));
}

// Bytes that are not exactly the layout, with all their pixels inside, go to Qt's readers.
TEST_F(PicturesTest, ACutOrLyingHeaderIsLeftToQtsReaders) {
  const QByteArray good = layout::encode(painted(5, 3, false));
  const auto put32 = [](QByteArray& b, int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(value >> (8 * i));
  };
  struct Case {
    const char* name;
    std::function<void(QByteArray&)> spoil;
    bool cut = false;  // Qt's reader leaves the missing pixels as they were in memory
  };
  const Case kCases[] = {
      {"last byte cut", [](QByteArray& b) { b.chop(1); }, true},
      {"header only", [](QByteArray& b) { b.truncate(layout::kPixelOffset); }, true},
      {"half a header", [](QByteArray& b) { b.truncate(60); }},
      {"taller than its bytes",
       [&](QByteArray& b) { put32(b, 22, static_cast<std::uint32_t>(-4)); }, true},
      {"wider than its bytes", [&](QByteArray& b) { put32(b, 18, 0x7fffffff); }},
      {"no width", [&](QByteArray& b) { put32(b, 18, 0); }},
      {"bottom-up rows", [&](QByteArray& b) { put32(b, 22, 3); }},
      {"red and blue masks swapped",
       [&](QByteArray& b) {
         put32(b, 54, layout::kBlueMask);
         put32(b, 62, layout::kRedMask);
       }},
      {"alpha mask of another byte", [&](QByteArray& b) { put32(b, 66, 0x00ff0000); }},
      {"pixels elsewhere", [&](QByteArray& b) { put32(b, 10, 122); }},
      {"24 bits a pixel", [](QByteArray& b) { b[28] = 24; }},
      {"image size lies", [&](QByteArray& b) { put32(b, 34, 5 * 3 * 4 + 4); }},
      {"not a bitmap", [](QByteArray& b) { b[0] = 'P'; }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    QByteArray spoilt = good;
    c.spoil(spoilt);
    const SharedBytes bytes = shared(spoilt);
    EXPECT_FALSE(layout::read({bytes.data(), bytes.size()}).has_value());
    const QImage shown = decodePicture(bytes);
    const QImage qt = throughQt(bytes);
    EXPECT_EQ(shown.size(), qt.size());
    if (!c.cut) {
      EXPECT_EQ(shown, qt);
    }
    EXPECT_NE(shown.constBits(), bytes.data() + layout::kPixelOffset);
  }
  // Qt draws an opaque picture as if its fourth bytes were all 0xff.
  QByteArray notOpaque = good;
  notOpaque[layout::kPixelOffset + 7] = 0x10;
  const SharedBytes bytes = shared(notOpaque);
  const QImage shown = decodePicture(bytes);
  EXPECT_NE(shown.constBits(), bytes.data() + layout::kPixelOffset);
  EXPECT_EQ(shown, throughQt(bytes));
}

TEST_F(PicturesTest, ContentFilesOfEveryFormatStillDecode) {
  const QImage picture = painted(21, 11, false);
  for (const char* format : {"PNG", "JPG", "BMP"}) {
    SCOPED_TRACE(format);
    const QImage shown = decodePicture(shared(encoded(picture, format)));
    EXPECT_EQ(shown.size(), QSize(21, 11));
  }
  // Qt writes no GIF: the smallest one, by hand.
  const char kGif[] =
      "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00"
      "\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;";
  EXPECT_EQ(decodePicture(shared(QByteArray(kGif, sizeof kGif - 1))).size(), QSize(1, 1));
  EXPECT_TRUE(decodePicture(SharedBytes()).isNull());
  EXPECT_TRUE(decodePicture(shared("not a picture")).isNull());
}

}  // namespace
