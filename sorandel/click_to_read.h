#pragma once

#include "platform/unit.h"

class MainWindow;
struct SorandelState;

// Click-to-read: a click on a Japanese line of the lesson text underlines that sentence and
// plays its recording.
class ClickToRead {
 public:
  ClickToRead(MainWindow& window, SorandelState& state) : w_(window), s_(state) {}

  void design();

  void lessonTextClicked(platform::MouseEvent event);
  // Finds the clicked block in the copy; false when no block follows it.
  bool locateClickedBlock();

 private:
  MainWindow& w_;
  SorandelState& s_;
};
