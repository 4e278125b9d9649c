// Recordings, effect sounds and pictures of the generated content, and its copy in the program
// folder.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "content/content_folders.h"
#include "platform/mp3_file.h"
#include "sample_content.h"

namespace {

using content::ContentFolders;
using sample::Row;

// Seconds of audio that libmpg123 finds in a file, or 0 when it cannot read it.
double playingTime(const std::filesystem::path& file) {
  int error = MPG123_OK;
  std::unique_ptr<mpg123_handle, decltype(&mpg123_delete)> decoder(mpg123_new(nullptr, &error),
                                                                   &mpg123_delete);
  if (!decoder || mpg123_open(decoder.get(), file.c_str()) != MPG123_OK) return 0;
  long rate = 0;
  int channels = 0, encoding = 0;
  double seconds = 0;
  if (mpg123_getformat(decoder.get(), &rate, &channels, &encoding) == MPG123_OK &&
      mpg123_scan(decoder.get()) == MPG123_OK && rate > 0) {
    seconds = static_cast<double>(mpg123_length(decoder.get())) / rate;
  }
  mpg123_close(decoder.get());
  return seconds;
}

// The recording of every item and question.
std::vector<std::filesystem::path> recordingFiles() {
  std::set<std::string> sounds;
  for (const Row& item : sample::contentTable("study")) sounds.insert(item.at("sound"));
  for (const Row& question : sample::exerciseTable("lianxi")) sounds.insert(question.at("sound"));
  std::vector<std::filesystem::path> files;
  for (const std::string& sound : sounds) {
    files.push_back(
        sample::contentFile(sample::generatedFolder(), ContentFolders::recording(sound)));
  }
  return files;
}

TEST(SampleRecordings, EveryItemAndQuestionHasARecordingThatPlays) {
  const auto files = recordingFiles();
  ASSERT_FALSE(files.empty());
  for (const auto& file : files) {
    // Even the shortest word takes longer than this; an empty synthesis does not.
    EXPECT_GT(playingTime(file), 0.25) << file;
  }
}

// Milliseconds of the program's decoded audio before its first sample of at least -40 dBFS;
// -1 when it has none.
double leadInMs(const std::filesystem::path& file) {
  auto source = platform::openMp3(file.string());
  if (source == nullptr) return -1;
  const auto channels = static_cast<std::size_t>(source->format().channels);
  std::vector<std::int16_t> block(1024 * channels);
  std::size_t frames = 0;
  while (std::size_t got = source->read(block.data(), 1024)) {
    for (std::size_t i = 0; i < got * channels; ++i) {
      if (std::abs(block[i]) >= 328) {
        return static_cast<double>(frames + i / channels) * 1000 / source->format().sampleRate;
      }
    }
    frames += got;
  }
  return -1;
}

// A click on a sentence is answered with its voice at once: no recording starts with silence.
TEST(SampleRecordings, EveryRecordingStartsWithTheVoice) {
  for (const auto& file : recordingFiles()) {
    const double leadIn = leadInMs(file);
    EXPECT_GE(leadIn, 0) << file;
    EXPECT_LT(leadIn, 10) << file;
  }
}

std::vector<char> bytesOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t littleEndian(const std::vector<char>& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// The chunk of a RIFF WAVE file with the given id, as (offset of its data, size); size 0 when
// the file has no such chunk.
std::pair<std::size_t, std::uint32_t> waveChunk(const std::vector<char>& bytes,
                                                std::string_view id) {
  if (bytes.size() < 12 || std::string_view(bytes.data(), 4) != "RIFF" ||
      std::string_view(bytes.data() + 8, 4) != "WAVE") {
    return {0, 0};
  }
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    std::uint32_t size = littleEndian(bytes, at + 4, 4);
    if (std::string_view(bytes.data() + at, 4) == id && at + 8 + size <= bytes.size()) {
      return {at + 8, size};
    }
    at += 8 + size + (size & 1);
  }
  return {0, 0};
}

TEST(SampleEffects, EffectSoundsArePcmWavesWithSound) {
  for (std::string_view tail : {ContentFolders::shutterSound, ContentFolders::rightAnswerSound,
                                ContentFolders::wrongAnswerSound, ContentFolders::clickSound}) {
    SCOPED_TRACE(std::string(tail));
    auto bytes = bytesOf(sample::contentFile(sample::generatedFolder(), tail));
    auto [format, formatSize] = waveChunk(bytes, "fmt ");
    ASSERT_GE(formatSize, 16u);
    EXPECT_EQ(littleEndian(bytes, format, 2), 1u) << "not PCM";
    EXPECT_GT(waveChunk(bytes, "data").second, 0u);
  }
}

TEST(SamplePictures, PicturesDecodeAtTheirSize) {
  struct Expected {
    std::string_view tail;
    const char* format;
    int width, height;
  };
  for (const Expected& picture : {
           Expected{ContentFolders::rightMarkPicture, "jpeg", 24, 24},
           Expected{ContentFolders::wrongMarkPicture, "jpeg", 24, 24},
           Expected{ContentFolders::listenChooseJapaneseTitle, "gif", 248, 29},
           Expected{ContentFolders::chineseChooseJapaneseTitle, "gif", 248, 29},
           Expected{ContentFolders::japaneseChooseChineseTitle, "gif", 248, 29},
       }) {
    SCOPED_TRACE(std::string(picture.tail));
    QImageReader reader(
        QString::fromStdString(sample::contentFile(sample::generatedFolder(), picture.tail)));
    EXPECT_EQ(reader.format().toStdString(), picture.format);
    QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.width(), picture.width);
    EXPECT_EQ(image.height(), picture.height);
  }
}

// The programs run on the copy in the program folder. Only lianxi.mdb is written there, so every
// other file stays as generated.
TEST(SampleProgramFolder, HoldsTheGeneratedContent) {
  const auto generated = sample::generatedFolder();
  const auto exercise = sample::contentFile(generated, ContentFolders::exerciseDatabase);
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(generated)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    auto copy = sample::programFolder() / entry.path().lexically_relative(generated);
    SCOPED_TRACE(copy.string());
    ASSERT_TRUE(std::filesystem::exists(copy));
    if (entry.path() != exercise) {
      EXPECT_TRUE(bytesOf(copy) == bytesOf(entry.path())) << "differs from the generated file";
    }
  }
  EXPECT_GT(files, 0u);
}

// A settings file is created only in a folder that exists: without it no course chosen would
// be stored.
TEST(SampleProgramFolder, HasTheFolderOfTheSettingsFile) {
  for (const auto& folder : {sample::generatedFolder(), sample::programFolder()}) {
    EXPECT_TRUE(std::filesystem::is_directory(
        sample::contentFile(folder, content::ContentFolders::settingsFile).parent_path()))
        << folder;
  }
}

}  // namespace
