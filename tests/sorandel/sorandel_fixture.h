#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "sorandel/main_window.h"
#include "tests/support/placements.h"
#include "tests/support/program_folder.h"

// A Sorandel run on the headless backend in a throwaway program folder. The content is added
// before start(); recordings are the committed tones of known lengths.
class SorandelRun {
 public:
  SorandelRun();
  SorandelRun(const SorandelRun&) = delete;
  SorandelRun& operator=(const SorandelRun&) = delete;

  // Three sentences and one word of "Lesson1", with recordings.
  void addLesson1();
  // A tone fixture ("tone_400ms.mp3", ...) as the recording of a `sound` name.
  void putRecording(const std::string& sound, const std::string& fixture);

  MainWindow& start(int screenWidth = 1366, int screenHeight = 768);

  MainWindow& w() { return *window_; }
  platform::HeadlessBackend& backend() { return backend_; }
  platform::Runtime& runtime() { return *runtime_; }

  // What the learner sees of the lesson text: its lines, and the runs that are underlined.
  std::vector<std::string> lessonLines();
  std::vector<std::string> underlinedRuns();
  // Which recordings were played, in order (the file tails after "\music\").
  std::vector<std::string> recordingsPlayed() const;
  // The same for every recording opened, a missing one too.
  std::vector<std::string> recordingsOpened() const;
  int shutterSounds() const;
  // Clicks a line of the lesson text.
  void clickLine(int line, int column = 0);
  // Advances until the playback timer has stopped (at most `limitMs`).
  void runUntilTimerStops(int limitMs = 20000);

  std::vector<std::string> recordingFiles(platform::MediaEvent event) const;

  test_support::ProgramFolder folder_;
  platform::HeadlessBackend backend_;
  std::unique_ptr<platform::Runtime> runtime_;
  SorandelState state_;
  MainWindow* window_ = nullptr;
};

class SorandelTest : public ::testing::Test, public SorandelRun {};

// Lines of a rich edit box's text, split at its line breaks.
std::vector<std::string> splitLines(const std::string& crlfText);

// Three sentences and one word of "Lesson1" in a program folder, with their recordings.
void addLesson1(test_support::ProgramFolder& folder);
// A tone fixture ("tone_400ms.mp3", ...) as the recording of a `sound` name.
void putRecording(test_support::ProgramFolder& folder, const std::string& sound,
                  const std::string& fixture);

// The runs of a box's text that are underlined, in order.
std::vector<std::string> underlinedRuns(const platform::RichEditBox& box);
