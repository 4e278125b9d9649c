#include "sorandel/recording_playback.h"

#include "sorandel/main_window.h"

void RecordingPlayback::design() {
  w_.朗读进度标签.setCaption("该句朗读进度");
  w_.朗读进度标签.setTextColor(platform::rgb(0x1c, 0x55, 0x77));
  w_.播放进度条.setMinimum(0);
  w_.播放进度条.setMaximum(100);
  w_.播放进度条.setPosition(0);
}
