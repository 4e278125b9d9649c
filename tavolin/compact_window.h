#pragma once

#include "platform/platform.h"
#include "platform/system/database.h"
#include "tavolin/compact_menu.h"
#include "tavolin/compact_reading.h"
#include "tavolin/tavolin_state.h"

// compactWindow: Tavolin's bar, always on top, that reads the current course's items aloud and
// is driven by its popup menu. Units are declared in form order under the form's names; the
// routines live in the reading and menu classes below them, on the one program state.
class CompactWindow : public platform::Window {
 public:
  CompactWindow(platform::Runtime& runtime, TavolinState& state);

  void compactWindowCreated();

  platform::PictureBox Tavolin图片框{*this, "Tavolin图片框", {0, 0, 629, 80}};
  platform::Label 日文显示标签{Tavolin图片框, "日文显示标签", {72, 8, 540, 32}};
  platform::Label 中文显示标签{Tavolin图片框, "中文显示标签", {72, 40, 540, 32}};
  platform::GroupBox 分组框1{*this, "分组框1", {136, 8, 448, 144}};
  platform::GroupBox 分组框2{分组框1, "分组框2", {32, 48, 472, 216}};
  platform::Timer 逐句跟读自动下一题时钟{分组框2, "逐句跟读自动下一题时钟"};
  platform::ListView 逐句跟读顺序列表框{分组框2, "逐句跟读顺序列表框", {16, 24, 104, 136}};
  platform::MediaPlayer 媒体播放1{分组框1, "媒体播放1"};
  platform::DatabaseConnection 数据库连接1;
  platform::RecordSet 记录集1;

  // The menu: its hidden top item is the source of the bar's popup.
  platform::MenuItem Tavolin{*this, "Tavolin"};
  platform::MenuItem 开始朗读{Tavolin, "开始朗读"};
  platform::MenuItem 暂停朗读{Tavolin, "暂停朗读"};
  platform::MenuItem 重新开始{Tavolin, "重新开始"};
  platform::MenuItem 分隔条1{Tavolin, "分隔条1", "-"};
  platform::MenuItem 学习主题{Tavolin, "学习主题"};
  platform::MenuItem 课文句子{学习主题, "课文句子"};
  platform::MenuItem 课文单词{学习主题, "课文单词"};
  platform::MenuItem 显示主题{Tavolin, "显示主题"};
  platform::MenuItem 仅显示日文{显示主题, "仅显示日文"};
  platform::MenuItem 仅显示中文{显示主题, "仅显示中文"};
  platform::MenuItem 显示中日文{显示主题, "显示中日文"};
  platform::MenuItem 选择课程{Tavolin, "选择课程"};
  platform::MenuItem 分隔条2{Tavolin, "分隔条2", "-"};
  platform::MenuItem 总在最前面{Tavolin, "总在最前面"};
  platform::MenuItem 分隔条3{Tavolin, "分隔条3", "-"};
  platform::MenuItem 返回主窗口{Tavolin, "返回主窗口"};
  platform::MenuItem 退出软件{Tavolin, "退出软件"};

  CompactReading reading;
  CompactMenu menu;

 private:
  TavolinState& state_;
};
