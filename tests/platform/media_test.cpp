#include <gtest/gtest.h>

#include "platform/mp3_file.h"
#include "tests/platform/test_windows.h"

namespace {

using platform::MediaEvent;
using platform::MediaPlayer;

class Media : public PlatformTest {
 protected:
  Media() {
    putFixture("tone_1000ms_mono.mp3", "\\music\\one.mp3");
    putFixture("tone_2500ms_stereo.mp3", "\\music\\two.mp3");
  }
  std::string music(const std::string& name) { return folder().path() + "\\music\\" + name; }

  EventLog log;
  FormWindow& w = rt().start<FormWindow>(log);
  MediaPlayer& player = w.媒体播放1;
};

TEST_P(Media, OpenKnowsTheExactLengthAndPlayFollowsTheClockToTheEnd) {
  player.openFile(music("two.mp3"));
  EXPECT_EQ(player.getLength(), 2500);
  EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying) << "opened, not yet played";
  player.play(-1);
  EXPECT_NE(player.getState(), MediaPlayer::kNotPlaying);
  d().advance(800);
  EXPECT_EQ(player.getPosition(), 800);
  EXPECT_NE(player.getState(), MediaPlayer::kNotPlaying);
  d().advance(1700);
  EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying);
  EXPECT_EQ(player.getPosition(), 2500);
}

TEST_P(Media, StopSilencesAtOnceAndANewOpenReplacesWhatPlays) {
  player.openFile(music("two.mp3"));
  player.play();
  d().advance(300);
  player.stop();
  EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying);
  EXPECT_EQ(player.getPosition(), 300);
  player.openFile(music("two.mp3"));
  player.play();
  d().advance(100);
  player.openFile(music("one.mp3"));
  EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying) << "the old recording fell silent";
  EXPECT_EQ(player.getLength(), 1000);
  player.play();
  d().advance(1000);
  EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying);
  const auto rec = d().recordings();
  ASSERT_EQ(rec.size(), 7u);
  EXPECT_EQ(rec[0].event, MediaEvent::Opened);
  EXPECT_EQ(rec[1].event, MediaEvent::Played);
  EXPECT_EQ(rec[2].event, MediaEvent::Stopped);
  EXPECT_EQ(rec[2].atMs, 300);
  EXPECT_EQ(rec[6].file, music("one.mp3"));
  EXPECT_EQ(rec[6].event, MediaEvent::Played);
  EXPECT_EQ(rec[6].atMs, 400);
  EXPECT_EQ(rec[6].lengthMs, 1000);
}

TEST_P(Media, ClosingTheWindowSilencesItsPlayerForGood) {
  player.openFile(music("two.mp3"));
  player.play();
  d().advance(100);
  w.close();
  EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying);
  player.openFile(music("two.mp3"));
  player.play();
  EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying) << "code after the close plays nothing";
}

TEST_P(Media, AMissingEmptyOrCorruptFilePlaysNothing) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage.push_back(static_cast<char>((i * 7919) % 251));
  folder().putFile("\\music\\empty.mp3", "");
  folder().putFile("\\music\\text.mp3", "not a recording\r\n");
  folder().putFile("\\music\\garbage.mp3", garbage);
  folder().putFile("\\music\\id3only.mp3", std::string("ID3\x03\0\0\0\0\0\x10", 10) + garbage);
  for (const char* name : {"missing.mp3", "empty.mp3", "text.mp3", "garbage.mp3", "id3only.mp3"}) {
    player.openFile(music("one.mp3"));
    player.play();
    player.openFile(music(name));
    EXPECT_EQ(player.getLength(), 0) << name;
    player.play();
    EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying) << name;
    EXPECT_EQ(player.getPosition(), 0) << name;
    player.stop();
    EXPECT_EQ(player.getState(), MediaPlayer::kNotPlaying) << name;
  }
}

TEST(Mp3File, TheDecoderGivesExactlyTheProbedLength) {
  const std::string path = std::string(PLATFORM_FIXTURES) + "/tone_1000ms_mono.mp3";
  const platform::Mp3Info info = platform::probeMp3(path);
  ASSERT_TRUE(info.playable);
  EXPECT_EQ(info.format.sampleRate, 22050);
  EXPECT_EQ(info.format.channels, 1);
  auto source = platform::openMp3(path);
  ASSERT_NE(source, nullptr);
  std::vector<std::int16_t> buffer(4096);
  std::size_t frames = 0;
  std::int16_t peak = 0;
  while (std::size_t got = source->read(buffer.data(), buffer.size())) {
    frames += got;
    for (std::size_t i = 0; i < got; ++i) peak = std::max<std::int16_t>(peak, buffer[i]);
  }
  EXPECT_EQ(frames, 22050u);
  EXPECT_GT(peak, 10000) << "a full-scale tone decodes loud";
  EXPECT_EQ(source->read(buffer.data(), buffer.size()), 0u);
}

// The first channel of everything the decoder gives.
std::vector<std::int16_t> decodeAll(platform::PcmSource& source) {
  const auto channels = static_cast<std::size_t>(source.format().channels);
  std::vector<std::int16_t> block(4096 * channels);
  std::vector<std::int16_t> samples;
  while (std::size_t got = source.read(block.data(), 4096)) {
    for (std::size_t i = 0; i < got; ++i) samples.push_back(block[i * channels]);
  }
  return samples;
}

// The pitch of a tone in a stretch of samples, from its rising zero crossings.
double pitchHz(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to,
               int rate) {
  int rises = 0;
  for (std::size_t i = from + 1; i < to; ++i) rises += samples[i - 1] < 0 && samples[i] >= 0;
  return rises * static_cast<double>(rate) / static_cast<double>(to - from);
}

// A 440 Hz tone of 0.4 s (mono, 22,050 Hz) and a 660 Hz one (stereo, 24,000 Hz), one after the
// other in one file: the decoder keeps the first part's format, the second part is heard at its
// own pitch, and the length the probe gives is what is decoded.
TEST(Mp3File, AFormatChangeInMidFileIsResampledToTheFirstFormat) {
  struct Case {
    const char* file;
    int rate, channels;
    double firstHz, secondHz;
  };
  for (const Case& c : {Case{"mono_22k_then_stereo_24k.mp3", 22050, 1, 440, 660},
                        Case{"stereo_24k_then_mono_22k.mp3", 24000, 2, 660, 440}}) {
    SCOPED_TRACE(c.file);
    const std::string path = std::string(PLATFORM_FIXTURES) + "/" + c.file;
    const platform::Mp3Info info = platform::probeMp3(path);
    ASSERT_TRUE(info.playable);
    EXPECT_EQ(info.format.sampleRate, c.rate);
    EXPECT_EQ(info.format.channels, c.channels);
    auto source = platform::openMp3(path);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->format().sampleRate, c.rate);
    EXPECT_EQ(source->format().channels, c.channels);
    const std::vector<std::int16_t> samples = decodeAll(*source);
    const double decodedMs = static_cast<double>(samples.size()) * 1000 / c.rate;
    // Both parts, each with its encoder's margins: not one part, not one part read twice over.
    EXPECT_NEAR(decodedMs, 850, 60);
    // Within one frame (1,152 samples at most).
    EXPECT_NEAR(static_cast<double>(info.lengthMs), decodedMs, 1152.0 * 1000 / c.rate);
    const std::size_t tenth = static_cast<std::size_t>(c.rate / 10);
    EXPECT_NEAR(pitchHz(samples, tenth, 3 * tenth, c.rate), c.firstHz, 10);
    EXPECT_NEAR(pitchHz(samples, samples.size() - 3 * tenth, samples.size() - tenth, c.rate),
                c.secondHz, 10);
  }
}

PLATFORM_TEST_SUITE(Media);

}  // namespace
