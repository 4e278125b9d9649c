#pragma once

#include "platform/platform.h"
#include "platform/system/database.h"
#include "sorandel/click_to_read.h"
#include "sorandel/lesson_text_view.h"
#include "sorandel/navigation.h"
#include "sorandel/practice_controls.h"
#include "sorandel/practice_view.h"
#include "sorandel/read_along.h"
#include "sorandel/recording_playback.h"
#include "sorandel/sentence_drill.h"
#include "sorandel/sorandel_state.h"

// Sorandel's start window: the skin with its own buttons, the navigation bar, the lesson and
// basics panels with the views of the lesson panel, and the hidden holder of the window's
// non-visual and storage units. Units are declared in form order under the form's names; the
// routines live in the view classes below them, all on the one program state.
class MainWindow : public platform::Window {
 public:
  MainWindow(platform::Runtime& runtime, SorandelState& state);

  void mainWindowCreated();
  void mainWindowResized();
  void minimizeClicked();
  void exitProgramClicked();
  void switchToTavolinClicked();

  // Frame.
  platform::PictureBox 主容器{*this, "主容器", {0, 0, 882, 684}};
  platform::NavigationBar 主菜单{主容器, "主菜单", {8, 127, 164, 520}};
  platform::ImageButton 课程选择按钮{主容器, "课程选择按钮", {8, 92, 100, 28}};
  platform::TransparentLabel 课程显示标签{主容器, "课程显示标签", {336, 98, 304, 16}};
  platform::ImageButton Tavolin按钮{主容器, "Tavolin按钮", {744, 92, 126, 28}};
  platform::ImageButton 最小化按钮{主容器, "最小化按钮", {816, 9, 26, 18}};
  platform::ImageButton 退出软件按钮{主容器, "退出软件按钮", {848, 9, 26, 18}};
  platform::PictureBox 课文学习容器{主容器, "课文学习容器", {179, 123, 696, 525}};
  platform::PictureBox 入门基础容器{主容器, "入门基础容器", {179, 123, 696, 525}};

  // Lesson text view.
  platform::PictureBox 全文学习容器{课文学习容器, "全文学习容器", {0, 0, 696, 525}};
  platform::PictureBox 逐句跟读标题图片框1{全文学习容器, "逐句跟读标题图片框1", {192, 8, 145, 24}};
  platform::Label 提示标签{全文学习容器, "提示标签", {349, 12, 336, 16}};
  platform::PictureBox 图片框5{全文学习容器, "图片框5", {12, 12, 153, 16}};
  platform::RadioButton 课文句子单选框{图片框5, "课文句子单选框", {0, 0, 73, 16}};
  platform::RadioButton 课文单词单选框{图片框5, "课文单词单选框", {80, 0, 73, 16}};
  platform::RichEditBox 全文学习内容框{全文学习容器, "全文学习内容框", {13, 45, 664, 384}};
  platform::PictureBox 图片框4{全文学习容器, "图片框4", {12, 463, 176, 16}};
  platform::RadioButton 全日文显示单选框{图片框4, "全日文显示单选框", {0, 0, 88, 16}};
  platform::RadioButton 中日文显示单选框{图片框4, "中日文显示单选框", {88, 0, 80, 16}};
  platform::ImageButton 全文跟读按钮{全文学习容器, "全文跟读按钮", {216, 456, 90, 24}};
  platform::PictureBox 图片框2{全文学习容器, "图片框2", {216, 456, 90, 24}};
  platform::ImageButton 句子点读按钮{全文学习容器, "句子点读按钮", {328, 456, 90, 24}};
  platform::PictureBox 图片框3{全文学习容器, "图片框3", {328, 456, 90, 24}};
  platform::TransparentLabel 朗读进度标签{全文学习容器, "朗读进度标签", {454, 463, 71, 16}};
  platform::ProgressBar 播放进度条{全文学习容器, "播放进度条", {549, 463, 88, 16}};
  platform::TransparentLabel 朗读次数标签2{全文学习容器, "朗读次数标签2", {453, 493, 56, 16}};
  platform::Label 朗读次数标签{全文学习容器, "朗读次数标签", {509, 493, 32, 16}};
  platform::ProgressBar 朗读次数进度条{全文学习容器, "朗读次数进度条", {549, 493, 88, 16}};

  // Sentence drill view.
  platform::PictureBox 句子跟读容器{课文学习容器, "句子跟读容器", {0, 0, 696, 525}};
  platform::PictureBox 逐句跟读标题图片框{句子跟读容器, "逐句跟读标题图片框", {184, 8, 248, 29}};
  platform::Label 逐句跟读进度标签{句子跟读容器, "逐句跟读进度标签", {40, 72, 120, 16}};
  platform::ProgressBar 逐句跟读进度条{句子跟读容器, "逐句跟读进度条", {181, 67, 432, 24}};
  platform::PictureBox 图片框7{句子跟读容器, "图片框7", {78, 117, 159, 16}};
  platform::RadioButton 逐句跟读句子单选框{图片框7, "逐句跟读句子单选框", {0, 0, 71, 16}};
  platform::RadioButton 逐句跟读单词单选框{图片框7, "逐句跟读单词单选框", {72, 0, 69, 16}};
  platform::CheckBox 显示日文选择框{句子跟读容器, "显示日文选择框", {261, 117, 72, 16}};
  platform::CheckBox 显示译文选择框{句子跟读容器, "显示译文选择框", {342, 117, 72, 16}};
  platform::PictureBox 图片框6{句子跟读容器, "图片框6", {77, 165, 536, 152}};
  platform::Label 逐句跟读日文显示框{图片框6, "逐句跟读日文显示框", {8, 7, 495, 96}};
  platform::Label 逐句跟读中文显示框{图片框6, "逐句跟读中文显示框", {8, 103, 511, 41}};
  platform::ImageButton 逐句跟读声音播放按钮{图片框6, "逐句跟读声音播放按钮", {512, 8, 20, 20}};
  platform::Label 标签1{句子跟读容器, "标签1", {77, 325, 48, 40}};
  platform::RichEditBox 逐句跟读输入框{句子跟读容器, "逐句跟读输入框", {125, 325, 488, 40}};
  platform::PictureBox 输入正确错误图片框{句子跟读容器, "输入正确错误图片框", {616, 328, 24, 24}};
  platform::ImageButton 逐句跟读上一题{句子跟读容器, "逐句跟读上一题", {424, 381, 80, 24}};
  platform::ImageButton 逐句跟读下一题{句子跟读容器, "逐句跟读下一题", {520, 381, 80, 24}};

  // Practice view. The sound button comes before the stem label, whose right end it lies on.
  platform::PictureBox 练习容器{课文学习容器, "练习容器", {0, 0, 696, 525}};
  platform::PictureBox 练习标题图片框{练习容器, "练习标题图片框", {189, 5, 248, 29}};
  platform::ImageButton 练习声音播放按钮{练习容器, "练习声音播放按钮", {624, 104, 20, 20}};
  platform::RadioButton 练习句子单选框{练习容器, "练习句子单选框", {13, 45, 48, 16}};
  platform::RadioButton 练习单词单选框{练习容器, "练习单词单选框", {69, 45, 56, 16}};
  platform::CheckBox 打乱顺序选择框{练习容器, "打乱顺序选择框", {141, 45, 72, 16}};
  platform::CheckBox 练习自动模式选择框{练习容器, "练习自动模式选择框", {224, 45, 72, 16}};
  platform::CheckBox 练习显示答案选择框{练习容器, "练习显示答案选择框", {304, 45, 149, 16}};
  platform::Label 答题进度标签{练习容器, "答题进度标签", {453, 45, 120, 16}};
  platform::ProgressBar 答题进度条{练习容器, "答题进度条", {581, 45, 104, 16}};
  platform::Label 练习题目标签{练习容器, "练习题目标签", {85, 102, 560, 40}};
  platform::TransparentLabel 透明标签1{练习容器, "透明标签1", {53, 173, 24, 24}};
  platform::Label 选项A标签{练习容器, "选项A标签", {85, 173, 530, 40}};
  platform::TransparentLabel 透明标签2{练习容器, "透明标签2", {53, 240, 24, 24}};
  platform::Label 选项B标签{练习容器, "选项B标签", {85, 240, 530, 40}};
  platform::TransparentLabel 透明标签3{练习容器, "透明标签3", {53, 320, 24, 24}};
  platform::Label 选项C标签{练习容器, "选项C标签", {85, 320, 530, 40}};
  platform::TransparentLabel 透明标签4{练习容器, "透明标签4", {53, 384, 24, 24}};
  platform::Label 选项D标签{练习容器, "选项D标签", {85, 384, 530, 40}};
  platform::PictureBox 显示正确错误图片框{练习容器, "显示正确错误图片框", {45, 437, 24, 24}};
  platform::Label 练习正确答案标签{练习容器, "练习正确答案标签", {85, 440, 568, 29}};
  platform::ImageButton 练习上一题按钮{练习容器, "练习上一题按钮", {360, 488, 80, 24}};
  platform::ImageButton 练习下一题按钮{练习容器, "练习下一题按钮", {456, 488, 80, 24}};
  platform::ImageButton 开始按钮{练习容器, "开始按钮", {552, 488, 90, 24}};
  platform::ImageButton 交卷按钮{练习容器, "交卷按钮", {552, 488, 90, 24}};

  // The hidden holder of the window's non-visual and storage units.
  platform::PictureBox 图片框1{*this, "图片框1", {304, 112, 424, 272}};
  platform::MediaPlayer 媒体播放1{图片框1, "媒体播放1"};
  platform::Timer 播放进度时钟{图片框1, "播放进度时钟"};
  platform::EditBox 搜索内容框{图片框1, "搜索内容框", {8, 8, 120, 20}};
  platform::EditBox 播放文件名称储存{图片框1, "播放文件名称储存", {8, 32, 120, 20}};
  platform::EditBox 焦点停留框{图片框1, "焦点停留框", {8, 56, 120, 20}};
  platform::RichEditBox 内容暂存框{图片框1, "内容暂存框", {8, 84, 664, 80}};
  platform::GroupBox 分组框1{图片框1, "分组框1", {136, 8, 136, 68}};
  platform::ListView 逐句跟读顺序列表框{分组框1, "逐句跟读顺序列表框", {8, 16, 120, 44}};
  platform::Timer 逐句跟读自动下一题时钟{分组框1, "逐句跟读自动下一题时钟"};
  platform::PictureBox 练习打乱顺序图片框{图片框1, "练习打乱顺序图片框", {118, 94, 464, 272}};
  platform::ListView 顺序对照列表框{练习打乱顺序图片框, "顺序对照列表框", {136, 16, 104, 136}};
  platform::ListView 打乱顺序列表框{练习打乱顺序图片框, "打乱顺序列表框", {23, 23, 104, 136}};
  platform::Label 练习答案储存标签{练习打乱顺序图片框, "练习答案储存标签", {8, 112, 120, 16}};
  platform::Timer 自动下一题时钟{练习打乱顺序图片框, "自动下一题时钟"};
  platform::DatabaseConnection 数据库连接1;
  platform::RecordSet 记录集1;

  // The routines, grouped by view.
  Navigation navigation;
  LessonTextView lessonText;
  RecordingPlayback playback;
  ClickToRead clickToRead;
  ReadAlong readAlong;
  PracticeView practiceView;
  PracticeControls practiceControls;
  SentenceDrill drill;

 private:
  void designFrame();
  void designDrillAndPracticeUnits();

  SorandelState& state_;
};
