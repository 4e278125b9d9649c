#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "platform/qt/bitmap_layout.h"

namespace {

using Accessor = const platform::SharedBytes& (*)();

struct Picture {
  const char* name;
  Accessor bytes;
  int width;
  int height;
};

// Every picture at the size of the unit that shows it.
const Picture kPictures[] = {
    {"mainSkin", assets::mainSkin, 882, 684},
    {"lessonPanelBackground", assets::lessonPanelBackground, 696, 525},
    {"basicsPanelPicture", assets::basicsPanelPicture, 696, 525},
    {"basicsSkin", assets::basicsSkin, 850, 680},
    {"basicsTopicStrip", assets::basicsTopicStrip, 640, 28},
    {"basicsCloseButton", assets::basicsCloseButton, 26, 18},
    {"basicsCloseButtonHover", assets::basicsCloseButtonHover, 26, 18},
    {"courseButton", assets::courseButton, 100, 28},
    {"courseButtonHover", assets::courseButtonHover, 100, 28},
    {"tavolinButton", assets::tavolinButton, 126, 28},
    {"tavolinButtonHover", assets::tavolinButtonHover, 126, 28},
    {"minimizeButton", assets::minimizeButton, 26, 18},
    {"minimizeButtonHover", assets::minimizeButtonHover, 26, 18},
    {"exitButton", assets::exitButton, 26, 18},
    {"exitButtonHover", assets::exitButtonHover, 26, 18},
    {"lessonTextBackground", assets::lessonTextBackground, 696, 525},
    {"lessonTextTitle", assets::lessonTextTitle, 145, 24},
    {"readAlongButton", assets::readAlongButton, 90, 24},
    {"readAlongButtonHover", assets::readAlongButtonHover, 90, 24},
    {"readAlongActivePicture", assets::readAlongActivePicture, 90, 24},
    {"clickToReadButton", assets::clickToReadButton, 90, 24},
    {"clickToReadButtonHover", assets::clickToReadButtonHover, 90, 24},
    {"clickToReadActivePicture", assets::clickToReadActivePicture, 90, 24},
    {"playbackBarTrack", assets::playbackBarTrack, 88, 16},
    {"playbackBarFill", assets::playbackBarFill, 88, 16},
    {"drillBackground", assets::drillBackground, 696, 525},
    {"drillTitle", assets::drillTitle, 248, 29},
    {"practiceBackground", assets::practiceBackground, 696, 525},
    {"startPracticeButton", assets::startPracticeButton, 90, 24},
    {"startPracticeButtonHover", assets::startPracticeButtonHover, 90, 24},
    {"submitPracticeButton", assets::submitPracticeButton, 90, 24},
    {"submitPracticeButtonHover", assets::submitPracticeButtonHover, 90, 24},
    {"previousButton", assets::previousButton, 80, 24},
    {"previousButtonHover", assets::previousButtonHover, 80, 24},
    {"nextButton", assets::nextButton, 80, 24},
    {"nextButtonHover", assets::nextButtonHover, 80, 24},
    {"soundButton", assets::soundButton, 20, 20},
    {"soundButtonHover", assets::soundButtonHover, 20, 20},
    {"courseWindowSkin", assets::courseWindowSkin, 350, 467},
    {"courseOkButton", assets::courseOkButton, 70, 24},
    {"courseOkButtonHover", assets::courseOkButtonHover, 70, 24},
    {"courseCancelButton", assets::courseCancelButton, 70, 24},
    {"courseCancelButtonHover", assets::courseCancelButtonHover, 70, 24},
    {"courseCloseButton", assets::courseCloseButton, 26, 18},
    {"courseCloseButtonHover", assets::courseCloseButtonHover, 26, 18},
    {"tavolinBarSkin", assets::tavolinBarSkin, 629, 80},
};

QImage decode(const platform::SharedBytes& bytes) {
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
}

// Each picture is a BMP file any reader takes, in the layout the program shows from its bytes,
// with its pixels aligned where the program carries them.
TEST(AssetsTest, EveryPictureDecodesAtTheSizeOfItsUnit) {
  namespace layout = platform::qt::bitmap_layout;
  for (const Picture& picture : kPictures) {
    SCOPED_TRACE(picture.name);
    const platform::SharedBytes& bytes = picture.bytes();
    const auto shape = layout::read({bytes.data(), bytes.size()});
    ASSERT_TRUE(shape.has_value());
    EXPECT_EQ(shape->width, picture.width);
    EXPECT_EQ(shape->height, picture.height);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes.data() + layout::kPixelOffset) % 64, 0u);
    const QImage image = decode(bytes);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), picture.width);
    EXPECT_EQ(image.height(), picture.height);
    const QImage::Format held = shape->alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    EXPECT_EQ(image.convertToFormat(held),
              QImage(bytes.data() + layout::kPixelOffset, picture.width, picture.height, held));
  }
}

TEST(AssetsTest, ButtonsChangeUnderTheMouseAndModePicturesDifferFromTheirButtons) {
  const std::pair<Accessor, Accessor> kDistinct[] = {
      {assets::courseButton, assets::courseButtonHover},
      {assets::tavolinButton, assets::tavolinButtonHover},
      {assets::minimizeButton, assets::minimizeButtonHover},
      {assets::exitButton, assets::exitButtonHover},
      {assets::courseOkButton, assets::courseOkButtonHover},
      {assets::courseCancelButton, assets::courseCancelButtonHover},
      {assets::courseCloseButton, assets::courseCloseButtonHover},
      {assets::readAlongButton, assets::readAlongButtonHover},
      {assets::readAlongButton, assets::readAlongActivePicture},
      {assets::clickToReadButton, assets::clickToReadButtonHover},
      {assets::clickToReadButton, assets::clickToReadActivePicture},
      {assets::readAlongActivePicture, assets::clickToReadActivePicture},
      {assets::startPracticeButton, assets::startPracticeButtonHover},
      {assets::startPracticeButton, assets::submitPracticeButton},
      {assets::submitPracticeButton, assets::submitPracticeButtonHover},
      {assets::previousButton, assets::previousButtonHover},
      {assets::previousButton, assets::nextButton},
      {assets::nextButton, assets::nextButtonHover},
      {assets::soundButton, assets::soundButtonHover},
      {assets::playbackBarTrack, assets::playbackBarFill},
  };
  for (const auto& [first, second] : kDistinct) EXPECT_NE(decode(first()), decode(second()));
}

TEST(AssetsTest, TenDifferentNavigationIconsAndNothingOutsideTheBar) {
  std::vector<QImage> icons;
  for (int group = 0; group < 2; ++group) {
    for (int item = 0; item < 5; ++item) {
      SCOPED_TRACE(std::to_string(group) + "/" + std::to_string(item));
      const QImage icon = decode(assets::navigationIcon(group, item));
      ASSERT_FALSE(icon.isNull());
      EXPECT_EQ(icon.size(), QSize(60, 60));
      EXPECT_TRUE(icon.hasAlphaChannel());
      for (const QImage& other : icons) EXPECT_NE(icon, other);
      icons.push_back(icon);
    }
  }
  for (auto [group, item] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 5}, {1, 5}})
    EXPECT_TRUE(assets::navigationIcon(group, item).empty()) << group << "/" << item;
}

// The lesson text is drawn in black and green on the text box area, the course name in
// yellow on the skin: both grounds must leave that text readable.
TEST(AssetsTest, TextGroundsKeepTheirTextReadable) {
  const QImage textView = decode(assets::lessonTextBackground());
  const QImage skin = decode(assets::mainSkin());
  for (QPoint at : {QPoint(14, 46), QPoint(345, 237), QPoint(676, 428)})
    EXPECT_GT(qGray(textView.pixel(at)), 235) << at.x() << "," << at.y();
  for (QPoint at : {QPoint(337, 99), QPoint(488, 106), QPoint(639, 113)})
    EXPECT_LT(qGray(skin.pixel(at)), 60) << at.x() << "," << at.y();
}

// The basics panel only stands behind the basics window: a light-blue ground in a frame, with
// nothing on it (no card, icon or text) that a learner would take for something to click.
TEST(AssetsTest, BasicsPanelIsAnEmptyLightBlueFramedPanel) {
  const QImage panel = decode(assets::basicsPanelPicture());
  const QRect inside = panel.rect().adjusted(16, 16, -16, -16);
  int lightest = 255, darkest = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QColor c = panel.pixelColor(x, y);
      ASSERT_GE(c.blue(), c.red()) << x << "," << y;
      lightest = std::min(lightest, qGray(c.rgb()));
      darkest = std::max(darkest, qGray(c.rgb()));
    }
  }
  EXPECT_GT(lightest, 215) << "nothing dark on it";
  EXPECT_LT(darkest - lightest, 24) << "one even ground";
  const int edge = qGray(panel.pixel(panel.width() / 2, 10));
  EXPECT_LT(edge, lightest - 20) << "a frame around it";
}

// The skin's footer is seen in every view: it says nothing that holds in only some of them,
// such as how the lesson text's sentences are heard.
TEST(AssetsTest, SkinFooterRightOfTheProgramLineIsBare) {
  const QImage skin = decode(assets::mainSkin());
  const QRect footerRight(470, 656, 400, 20);
  const QRgb ground = skin.pixel(footerRight.topRight());
  for (int y = footerRight.top(); y <= footerRight.bottom(); ++y)
    for (int x = footerRight.left(); x <= footerRight.right(); ++x)
      ASSERT_LE(std::abs(qGray(skin.pixel(x, y)) - qGray(ground)), 6) << x << "," << y;
}

struct Wav {
  std::uint16_t format = 0, channels = 0, bitsPerSample = 0;
  std::uint32_t sampleRate = 0;
  std::vector<std::int16_t> samples;
};

std::uint32_t readLittleEndian(const platform::Bytes& b, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | b.at(at + i);
  return value;
}

// Reads a PCM WAV file chunk by chunk; fails the test on a malformed file.
Wav parseWav(const platform::Bytes& b) {
  Wav wav;
  EXPECT_GE(b.size(), 44u);
  if (b.size() < 44) return wav;
  EXPECT_EQ(std::memcmp(b.data(), "RIFF", 4), 0);
  EXPECT_EQ(readLittleEndian(b, 4, 4), b.size() - 8);
  EXPECT_EQ(std::memcmp(b.data() + 8, "WAVE", 4), 0);
  std::size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::string id(reinterpret_cast<const char*>(b.data() + at), 4);
    const std::uint32_t size = readLittleEndian(b, at + 4, 4);
    const std::size_t body = at + 8;
    EXPECT_LE(body + size, b.size()) << id;
    if (body + size > b.size()) break;
    if (id == "fmt ") {
      wav.format = static_cast<std::uint16_t>(readLittleEndian(b, body, 2));
      wav.channels = static_cast<std::uint16_t>(readLittleEndian(b, body + 2, 2));
      wav.sampleRate = readLittleEndian(b, body + 4, 4);
      EXPECT_EQ(readLittleEndian(b, body + 8, 4), wav.sampleRate * 2) << "bytes per second";
      EXPECT_EQ(readLittleEndian(b, body + 12, 2), 2u) << "bytes per frame";
      wav.bitsPerSample = static_cast<std::uint16_t>(readLittleEndian(b, body + 14, 2));
    } else if (id == "data") {
      for (std::size_t i = 0; i + 1 < size; i += 2)
        wav.samples.push_back(static_cast<std::int16_t>(readLittleEndian(b, body + i, 2)));
    }
    at = body + size + (size & 1);
  }
  return wav;
}

struct Sound {
  const char* name;
  const platform::Bytes& (*bytes)();
  double minSeconds;
  double maxSeconds;
};

TEST(AssetsTest, ClickSoundsAreSoftMonoWavsOfTheirLength) {
  const Sound kSounds[] = {
      {"buttonClickSound", assets::buttonClickSound, 0.45, 0.55},
      {"exitClickSound", assets::exitClickSound, 0.08, 0.12},
      {"modeClickSound", assets::modeClickSound, 0.1, 0.2},
  };
  for (const Sound& sound : kSounds) {
    SCOPED_TRACE(sound.name);
    const Wav wav = parseWav(sound.bytes());
    EXPECT_EQ(wav.format, 1) << "PCM";
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.sampleRate, 11025u);
    EXPECT_EQ(wav.bitsPerSample, 16);
    ASSERT_FALSE(wav.samples.empty());
    const double seconds = static_cast<double>(wav.samples.size()) / 11025.0;
    EXPECT_GE(seconds, sound.minSeconds);
    EXPECT_LE(seconds, sound.maxSeconds);
    int peak = 0;
    for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 6000) << "audible";
    EXPECT_LT(peak, 30000) << "no clipping";
    // A soft start and a tail that has died away: no pop at either end.
    EXPECT_LT(std::abs(wav.samples.front()), 1000);
    EXPECT_LT(std::abs(wav.samples.back()), 200);
  }
}

}  // namespace
