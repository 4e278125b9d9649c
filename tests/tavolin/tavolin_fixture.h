#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "tavolin/compact_window.h"
#include "tests/support/program_folder.h"

// A Tavolin run on the headless backend in a throwaway program folder. The content is added
// before start(); recordings are committed tones of known lengths.
class TavolinRun {
 public:
  TavolinRun();
  TavolinRun(const TavolinRun&) = delete;
  TavolinRun& operator=(const TavolinRun&) = delete;

  // "Lesson1" with three sentences of 0.4 s and two words; "Lesson2" with two sentences.
  void addCourses();
  // A tone fixture ("tone_400ms.mp3", "tone_3200ms.mp3") as the recording of a `sound` name.
  void putRecording(const std::string& sound, const std::string& fixture);

  CompactWindow& start(int screenWidth = 1366, int screenHeight = 768);
  CompactWindow& w() { return *window_; }
  platform::Runtime& runtime() { return *runtime_; }

  struct Heard {
    std::int64_t atMs;
    std::string sound;  // the `sound` name of the recording
  };
  // Every recording started, with the time it started.
  std::vector<Heard> recordingsPlayed() const;
  std::vector<std::string> soundsPlayed() const;
  // The two lines of the bar, "jp / cn".
  std::string shownItem();
  // Opens the popup with a right press on the bar and chooses an item.
  void chooseFromMenu(platform::MenuItem& item);

  test_support::ProgramFolder folder_;
  platform::HeadlessBackend backend_;
  std::unique_ptr<platform::Runtime> runtime_;
  TavolinState state_;
  CompactWindow* window_ = nullptr;
};

class TavolinTest : public ::testing::Test, public TavolinRun {};
