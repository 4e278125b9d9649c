#include "sorandel/recording_playback.h"

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/statements.h"
#include "sorandel/main_window.h"
#include "sorandel/view_colours.h"

void RecordingPlayback::design() {
  w_.朗读进度标签.setCaption("该句朗读进度");
  w_.朗读进度标签.setTextColor(view_colours::kInk);
  // Six characters of the default 12-pixel font would not fit the label's 71 pixels.
  w_.朗读进度标签.setFont(platform::Font::pixels("宋体", 11));
  w_.播放进度条.setMinimum(0);
  w_.播放进度条.setMaximum(100);
  w_.播放进度条.setPosition(0);
  w_.播放进度条.setTrackPicture(assets::playbackBarTrack());
  w_.播放进度条.setFillPicture(assets::playbackBarFill());
}

// Looks the recording of the item key in 搜索内容框 up and plays it with the progress bar and
// its timer. The database is opened on every call, a repetition included.
void RecordingPlayback::playSentenceById() {
  const std::string& folder = w_.runtime().getProgramFolder();
  w_.数据库连接1.open(
      content::ContentFolders::path(folder, content::ContentFolders::contentDatabase), "");
  s_.playingItemKey = w_.搜索内容框.content();
  const content::Statement query = content::selectLessonItem(s_.playingItemKey);
  s_.lastSqlText = query.text;
  w_.记录集1.attachConnection(w_.数据库连接1);
  content::openQuery(w_.记录集1, query);
  w_.记录集1.moveFirst();
  w_.记录集1.readField("sound", s_.currentSoundName);
  w_.播放文件名称储存.setContent(s_.currentSoundName);
  w_.媒体播放1.openFile(content::ContentFolders::path(
      folder, content::ContentFolders::recording(s_.currentSoundName)));
  w_.播放进度条.setMaximum(w_.媒体播放1.getLength());
  w_.播放进度时钟.setInterval(80);
  w_.媒体播放1.play(-1);
}

// Plays the recording named by `currentSoundName`; the progress bar and its timer are left
// alone.
void RecordingPlayback::playCurrentSound() {
  w_.媒体播放1.openFile(content::ContentFolders::path(
      w_.runtime().getProgramFolder(), content::ContentFolders::recording(s_.currentSoundName)));
  w_.媒体播放1.play(-1);
}
