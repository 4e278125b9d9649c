#pragma once

class MainWindow;
struct SorandelState;

// The two reading modes of the lesson text view, the read-along walk over the text, the tick
// of the playback timer and the repetition count.
class ReadAlong {
 public:
  ReadAlong(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void startReadAlong();
  void readAlongNextSentence();
  void playTimerTick();
  void enterClickToReadMode();
  void repeatCountChanged();

  // Forgets read-along's underlined sentence without formatting anything: for a rebuilt text,
  // where the old range would fall on other characters.
  void forgetMarkedSentence();

 private:
  void removeMarkedUnderline();
  void emptyBarAndStopTimer();

  MainWindow& w_;
  SorandelState& s_;
};
