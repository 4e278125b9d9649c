#include "tests/tavolin/tavolin_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "content/content_folders.h"
#include "tavolin/program.h"

TavolinRun::TavolinRun() {
  folder_.putFile(content::ContentFolders::clickSound, "RIFF");
  tavolin::initGlobals(state_);
}

void TavolinRun::addCourses() {
  folder_.addCourse("Lesson1  家庭问候", "Lesson1")
      .addCourse("Lesson2  商店购物", "Lesson2")
      .addItem("Lesson1基本课文", "1S01", "おはよう。", "早上好。", "s01")
      .addItem("Lesson1基本课文", "1S02", "ただいま。", "我回来了。", "s02")
      .addItem("Lesson1基本课文", "1S03", "おやすみ。", "晚安。", "s03")
      .addItem("Lesson1单词", "1W01", "家族", "家人", "w01")
      .addItem("Lesson1单词", "1W02", "母", "妈妈", "w02")
      .addItem("Lesson2基本课文", "2S01", "いくらですか。", "多少钱？", "t01")
      .addItem("Lesson2基本课文", "2S02", "これをください。", "请给我这个。", "t02");
  for (const char* sound : {"s01", "s02", "s03", "w01", "w02", "t01", "t02"})
    putRecording(sound, "tone_400ms.mp3");
}

void TavolinRun::putRecording(const std::string& sound, const std::string& fixture) {
  std::ifstream in(std::filesystem::path(TAVOLIN_FIXTURES) / fixture, std::ios::binary);
  EXPECT_TRUE(in) << "missing fixture " << fixture;
  folder_.putFile(content::ContentFolders::recording(sound),
                  std::string((std::istreambuf_iterator<char>(in)), {}));
}

CompactWindow& TavolinRun::start(int screenWidth, int screenHeight) {
  backend_.setScreen(screenWidth, screenHeight);
  runtime_ = std::make_unique<platform::Runtime>(backend_, folder_.path());
  window_ = &runtime_->start<CompactWindow>(state_);
  return *window_;
}

std::vector<TavolinRun::Heard> TavolinRun::recordingsPlayed() const {
  std::vector<Heard> heard;
  const std::string music = content::ContentFolders::path(folder_.path(), "\\music\\");
  for (const auto& r : backend_.recordings()) {
    if (r.event != platform::MediaEvent::Played) continue;
    std::string sound = r.file.substr(music.size());
    sound.resize(sound.size() - content::ContentFolders::recordingExtension.size());
    heard.push_back({r.atMs, sound});
  }
  return heard;
}

std::vector<std::string> TavolinRun::soundsPlayed() const {
  std::vector<std::string> sounds;
  for (const TavolinRun::Heard& h : recordingsPlayed()) sounds.push_back(h.sound);
  return sounds;
}

std::string TavolinRun::shownItem() {
  return w().日文显示标签.caption() + " / " + w().中文显示标签.caption();
}

void TavolinRun::chooseFromMenu(platform::MenuItem& item) {
  ASSERT_TRUE(backend_.rightClick(w().Tavolin图片框));
  ASSERT_TRUE(backend_.choose(item));
}
