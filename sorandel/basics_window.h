#pragma once

#include <string_view>

#include "platform/platform.h"
#include "sorandel/sorandel_state.h"

// The basics window: the radio buttons of one topic in a strip above the page player, which
// shows the topic's first page and then whichever page the learner picks. Built afresh at each
// opening; only basicsTopic and basicsPagePath outlive it.
class BasicsWindow : public platform::Window {
 public:
  BasicsWindow(platform::Runtime& runtime, SorandelState& state);

  void basicsWindowCreated();
  void basicsPageRadioClicked(std::string_view page);
  void basicsCloseButtonClicked();

  platform::PictureBox 图片框1{*this, "图片框1", {0, 0, 850, 680}};
  platform::TransparentLabel 透明标签1{图片框1, "透明标签1", {184, 8, 384, 16}};
  platform::PictureBox 日语的发音容器{图片框1, "日语的发音容器", {16, 30, 640, 28}};
  platform::PictureBox 日语文字与书写容器{图片框1, "日语文字与书写容器", {16, 30, 640, 28}};
  platform::PictureBox 声调和语调容器{图片框1, "声调和语调容器", {16, 30, 640, 28}};
  platform::PictureBox 要注意的发音容器{图片框1, "要注意的发音容器", {16, 30, 640, 28}};
  platform::PictureBox 练习容器{图片框1, "练习容器", {16, 30, 640, 28}};

  platform::RadioButton 五十音图单选框{日语的发音容器, "五十音图单选框", {8, 8, 72, 16}};
  platform::RadioButton 元音单选框{日语的发音容器, "元音单选框", {88, 8, 48, 16}};
  platform::RadioButton 辅音单选框{日语的发音容器, "辅音单选框", {144, 8, 48, 16}};
  platform::RadioButton 拗音单选框{日语的发音容器, "拗音单选框", {200, 8, 48, 16}};
  platform::RadioButton 拨音单选框{日语的发音容器, "拨音单选框", {256, 8, 128, 16}};
  platform::RadioButton 外来词单选框{日语的发音容器, "外来词单选框", {392, 8, 128, 16}};
  platform::RadioButton 日语的文字单选框{日语文字与书写容器, "日语的文字单选框", {8, 8, 88, 16}};
  platform::RadioButton 假名的笔顺单选框{日语文字与书写容器, "假名的笔顺单选框", {96, 8, 88, 16}};
  platform::RadioButton 假名的由来单选框{日语文字与书写容器, "假名的由来单选框", {192, 8, 88, 16}};
  platform::RadioButton 日语汉字单选框{日语文字与书写容器, "日语汉字单选框", {288, 8, 80, 16}};
  platform::RadioButton 长音的书写方法单选框{
      日语文字与书写容器, "长音的书写方法单选框", {368, 8, 112, 16}};
  platform::RadioButton 标点符号单选框{日语文字与书写容器, "标点符号单选框", {480, 8, 104, 16}};
  platform::RadioButton 声调单选框{声调和语调容器, "声调单选框", {8, 8, 88, 16}};
  platform::RadioButton 语调单选框{声调和语调容器, "语调单选框", {96, 8, 88, 16}};
  platform::RadioButton 第一组单选框{要注意的发音容器, "第一组单选框", {8, 8, 88, 16}};
  platform::RadioButton 第二组单选框{要注意的发音容器, "第二组单选框", {96, 8, 88, 16}};
  platform::RadioButton 看读单选框{练习容器, "看读单选框", {8, 8, 56, 16}};
  platform::RadioButton 听选单选框{练习容器, "听选单选框", {72, 8, 56, 16}};
  platform::RadioButton 组合五十音图单选框{练习容器, "组合五十音图单选框", {136, 8, 104, 16}};
  platform::RadioButton 分组练习单选框{练习容器, "分组练习单选框", {240, 8, 80, 16}};

  platform::WebView swf播放器{图片框1, "swf播放器", {13, 61, 825, 600}};
  platform::ImageButton 退出软件按钮{图片框1, "退出软件按钮", {820, 5, 26, 18}};

 private:
  void designPages();

  SorandelState& state_;
};
