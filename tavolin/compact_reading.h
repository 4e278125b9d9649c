#pragma once

class CompactWindow;
struct TavolinState;

// The bar's reading: the key list of the current course and theme, each item shown and played
// in turn, the poll that moves on when a recording has finished.
class CompactReading {
 public:
  CompactReading(CompactWindow& window, TavolinState& state) : w_(window), s_(state) {}

  void design();

  void loadDrillList();
  void showDrillItem();
  void playCurrentSound();
  void autoReadTimerTick();
  void autoReadNext();

 private:
  CompactWindow& w_;
  TavolinState& s_;
};
