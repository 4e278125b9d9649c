#pragma once

class MainWindow;
struct SorandelState;

// The one media player of the main window and the lesson text view's progress bar.
class RecordingPlayback {
 public:
  RecordingPlayback(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

 private:
  MainWindow& w_;
  [[maybe_unused]] SorandelState& s_;
};
