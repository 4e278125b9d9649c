#pragma once

class MainWindow;
struct SorandelState;

// The two reading modes of the lesson text view.
class ReadAlong {
 public:
  ReadAlong(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void enterClickToReadMode();

 private:
  MainWindow& w_;
  SorandelState& s_;
};
