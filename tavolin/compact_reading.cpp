#include "tavolin/compact_reading.h"

#include "content/content_folders.h"
#include "content/keys.h"
#include "content/lesson_items.h"
#include "tavolin/compact_window.h"

namespace {
constexpr int kPollMs = 1500;
}  // namespace

void CompactReading::design() {
  w_.逐句跟读顺序列表框.setColumns({{"顺序对照表", 100}});
  w_.逐句跟读自动下一题时钟.onTick = [this] { autoReadTimerTick(); };
}

void CompactReading::loadDrillList() {
  w_.逐句跟读自动下一题时钟.setInterval(0);
  s_.drillLessonKey = content::lessonKey(s_.courseKey, s_.studyTheme);
  s_.drillCount = content::loadLessonItemKeys(w_.runtime().getProgramFolder(), s_.drillLessonKey,
                                              w_.数据库连接1, w_.记录集1, w_.逐句跟读顺序列表框,
                                              s_.lastSqlText, s_.drillFieldText);
  s_.drillIndex = 0;
  showDrillItem();
}

// The labels get the texts also while a display mode hides them.
void CompactReading::showDrillItem() {
  s_.currentKey = w_.逐句跟读顺序列表框.getCellText(s_.drillIndex, 0);
  const content::LessonItem item =
      content::readLessonItem(s_.currentKey, w_.记录集1, s_.lastSqlText, s_.drillFieldText);
  w_.日文显示标签.setCaption(item.japanese);
  w_.中文显示标签.setCaption(item.chinese);
  s_.currentSoundName = item.soundName;
  w_.记录集1.close();
  playCurrentSound();
}

void CompactReading::playCurrentSound() {
  w_.媒体播放1.openFile(content::ContentFolders::path(
      w_.runtime().getProgramFolder(), content::ContentFolders::recording(s_.currentSoundName)));
  w_.媒体播放1.play(-1);
  w_.逐句跟读自动下一题时钟.setInterval(kPollMs);
}

void CompactReading::autoReadTimerTick() {
  if (w_.媒体播放1.getState() == platform::MediaPlayer::kNotPlaying) autoReadNext();
}

// After the last item the reading ends on it; an empty list ends on index 0.
void CompactReading::autoReadNext() {
  s_.drillIndex += 1;
  if (s_.drillIndex < s_.drillCount) {
    showDrillItem();
    return;
  }
  s_.drillIndex -= 1;
  w_.逐句跟读自动下一题时钟.setInterval(0);
}
