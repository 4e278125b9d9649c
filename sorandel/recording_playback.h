#pragma once

class MainWindow;
struct SorandelState;

// The one media player of the main window: a sentence of the lesson text by its item key, or
// the recording whose name the drill or the practice view has set.
class RecordingPlayback {
 public:
  RecordingPlayback(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void playSentenceById();
  void playCurrentSound();

 private:
  MainWindow& w_;
  SorandelState& s_;
};
