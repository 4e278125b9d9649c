#include "tests/sorandel/sorandel_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "content/content_folders.h"
#include "platform/utf32.h"
#include "sorandel/program.h"

namespace {

std::string readFixture(const std::string& name) {
  std::ifstream in(std::filesystem::path(SORANDEL_FIXTURES) / name, std::ios::binary);
  EXPECT_TRUE(in) << "missing fixture " << name;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

SorandelRun::SorandelRun() {
  folder_.putFile(content::ContentFolders::shutterSound, "RIFF");
  initGlobals(state_);
}

void addLesson1(test_support::ProgramFolder& folder) {
  folder.addCourse("Lesson1  家庭问候", "Lesson1")
      .addItem("Lesson1基本课文", "1S01", "おはよう。", "早上好。", "s01")
      .addItem("Lesson1基本课文", "1S02", "ただいま。", "我回来了。", "s02")
      .addItem("Lesson1基本课文", "1S03", "おやすみ。", "晚安。", "s03")
      .addItem("Lesson1单词", "1W01", "家族", "家人", "w01");
  putRecording(folder, "s01", "tone_400ms.mp3");
  putRecording(folder, "s02", "tone_700ms.mp3");
  putRecording(folder, "s03", "tone_400ms.mp3");
  putRecording(folder, "w01", "tone_1200ms.mp3");
}

void putRecording(test_support::ProgramFolder& folder, const std::string& sound,
                  const std::string& fixture) {
  folder.putFile(content::ContentFolders::recording(sound), readFixture(fixture));
}

void SorandelRun::addLesson1() { ::addLesson1(folder_); }

void SorandelRun::putRecording(const std::string& sound, const std::string& fixture) {
  ::putRecording(folder_, sound, fixture);
}

MainWindow& SorandelRun::start(int screenWidth, int screenHeight) {
  backend_.setScreen(screenWidth, screenHeight);
  runtime_ = std::make_unique<platform::Runtime>(backend_, folder_.path());
  window_ = &runtime_->start<MainWindow>(state_);
  return *window_;
}

std::vector<std::string> splitLines(const std::string& crlfText) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < crlfText.size(); ++i) {
    if (crlfText.compare(i, 2, "\r\n") == 0) {
      lines.emplace_back();
      ++i;
    } else {
      lines.back() += crlfText[i];
    }
  }
  return lines;
}

std::vector<std::string> SorandelRun::lessonLines() {
  return splitLines(w().全文学习内容框.content());
}

std::vector<std::string> SorandelRun::underlinedRuns() {
  return ::underlinedRuns(w().全文学习内容框);
}

std::vector<std::string> underlinedRuns(const platform::RichEditBox& box) {
  std::vector<std::string> runs;
  bool inRun = false;
  for (int i = 0; i < box.characterCount(); ++i) {
    if (!box.formatAt(i).underlined()) {
      inRun = false;
      continue;
    }
    if (!inRun) runs.emplace_back();
    inRun = true;
    const char32_t c = box.text()[i];
    if (c == U'\n') {
      runs.back() += "\r\n";
    } else {
      platform::appendUtf8(runs.back(), c);
    }
  }
  return runs;
}

std::vector<std::string> SorandelRun::recordingsPlayed() const {
  return recordingFiles(platform::MediaEvent::Played);
}

std::vector<std::string> SorandelRun::recordingsOpened() const {
  return recordingFiles(platform::MediaEvent::Opened);
}

std::vector<std::string> SorandelRun::recordingFiles(platform::MediaEvent event) const {
  std::vector<std::string> played;
  const std::string music = content::ContentFolders::path(folder_.path(), "\\music\\");
  for (const auto& r : backend_.recordings()) {
    if (r.event != event) continue;
    played.push_back(r.file.rfind(music, 0) == 0 ? r.file.substr(music.size()) : r.file);
  }
  return played;
}

int SorandelRun::shutterSounds() const {
  const std::string shutter =
      content::ContentFolders::path(folder_.path(), content::ContentFolders::shutterSound);
  int count = 0;
  for (const auto& s : backend_.soundsPlayed()) count += s.file == shutter ? 1 : 0;
  return count;
}

void SorandelRun::clickLine(int line, int column) {
  backend_.releaseLeftButtonOnLine(w().全文学习内容框, line, column);
}

void SorandelRun::runUntilTimerStops(int limitMs) {
  for (int waited = 0; w().播放进度时钟.running() && waited < limitMs; waited += 10)
    backend_.advance(10);
  ASSERT_FALSE(w().播放进度时钟.running()) << "the playback timer still runs";
}
