#pragma once

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "platform/platform.h"

// A window with one unit of every kind, looking like a form of the programs, whose handlers
// write what they see to `log`. The Qt tests drive it; the showcase program shows it.
namespace showcase {

inline platform::Bytes png(int width, int height, QColor fill, QColor mark = Qt::transparent) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(fill);
  if (mark != Qt::transparent) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(mark);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(width * 0.2, height * 0.2, width * 0.6, height * 0.6));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return platform::Bytes(bytes.begin(), bytes.end());
}

// A short 16-bit mono click.
inline platform::Bytes wav(int milliseconds = 60, int rate = 11025) {
  const int frames = rate * milliseconds / 1000;
  platform::Bytes b;
  b.reserve(44 + static_cast<std::size_t>(frames) * 2);
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  // Byte by byte: GCC 12 takes a range insert of a constant tag for an overflow when inlined.
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
  };
  tag("RIFF");
  put32(36 + frames * 2);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);
  put16(1);
  put32(rate);
  put32(rate * 2);
  put16(2);
  put16(16);
  tag("data");
  put32(frames * 2);
  for (int i = 0; i < frames; ++i) put16(static_cast<std::uint16_t>((i % 40 < 20 ? 8000 : -8000)));
  return b;
}

class ShowcaseWindow : public platform::Window {
 public:
  ShowcaseWindow(platform::Runtime& rt, std::vector<std::string>& log)
      : Window(rt, "showcaseWindow", {0, 0, 720, 520}), log(log) {
    using platform::rgb;
    setCaption("Sorandel 部件");
    setCentred(true);
    setBackgroundColor(rgb(0, 0, 0));
    setEscCloses(true);
    背景.setPicture(png(720, 520, QColor(169, 213, 226)));
    按钮.setPicture(png(90, 24, QColor(64, 120, 180)));
    按钮.setHoverPicture(png(90, 24, QColor(240, 160, 40)));
    按钮.setClickSound(wav());
    按钮.setHintText("播放");
    标签.setCaption("日本語の勉強：こんにちは、元気ですか。你好！");
    标签.setFont(platform::Font::pixels("宋体", 19));
    标签.setTextColor(rgb(0x1c, 0x55, 0x77));
    标签.setBackgroundColor(rgb(0xff, 0xfe, 0xef));
    透明标签.setCaption("Lesson1  家庭问候");
    透明标签.setFont(platform::Font::pixels("新宋体", 14));
    透明标签.setTextColor(rgb(247, 208, 0));
    选择框.setCaption("打乱顺序");
    单选框1.setCaption("句子");
    单选框2.setCaption("单词");
    单选框1.setChecked(true);
    分组框.setCaption("模式");
    列表.setColumns({{"题目", 180}, {"答案", 80}, {"对错", 40}});
    列表.setFont(platform::Font::pixels("宋体", 14));
    列表.setImageList(
        {png(16, 16, Qt::transparent, Qt::red), png(16, 16, Qt::transparent, Qt::darkGreen)});
    for (int i = 0; i < 4; ++i) {
      列表.appendRow();
      列表.setCellText(i, 0, "おはようございます " + std::to_string(i + 1));
      列表.setCellText(i, 1, "早上好");
      列表.setCellImage(i, 2, i % 2);
    }
    导航条.setGroups(
        {{"课文学习",
          {{"全文学习", png(60, 60, QColor(250, 250, 250), QColor(64, 140, 214))},
           {"逐句跟读", png(60, 60, QColor(250, 250, 250), QColor(230, 120, 40))}}},
         {"练习", {{"听读音", png(60, 60, QColor(250, 250, 250), QColor(90, 170, 90))}}}});
    导航条.setFont(platform::Font::pixels("宋体", 12));
    内容框.setFont(platform::Font{"仿宋", 13});
    内容框.setVerticalScrollBar(true);
    内容框.setReadOnly(true);
    输入框.setFont(platform::Font{"宋体", 13});
    进度条.setMaximum(100);
    进度条.setPosition(40);
    滑块.setSlider(true);
    滑块.setMaximum(10);
    网页.navigate("C:\\flash\\01.swf");
    隐藏框.setVisible(false);
    菜单.setVisible(false);
    总在最前.setChecked(true);

    onCreated = [this] { fillText(); };
    按钮.onClicked = [this] { this->log.push_back("按钮.clicked"); };
    单选框1.onClicked = [this] { this->log.push_back("单选框1.clicked"); };
    单选框2.onClicked = [this] { this->log.push_back("单选框2.clicked"); };
    选择框.onClicked = [this] {
      this->log.push_back(std::string("选择框.clicked:") + (选择框.checked() ? "1" : "0"));
    };
    列表.onCurrentRowChanged = [this] {
      this->log.push_back("列表.row:" + std::to_string(列表.selectedRow()));
    };
    导航条.onItemClicked = [this](int g, int i) {
      this->log.push_back("导航条.item:" + std::to_string(g) + "," + std::to_string(i));
    };
    滑块.onPositionChanged = [this] {
      this->log.push_back("滑块.position:" + std::to_string(滑块.position()));
    };
    内容框.onLeftButtonUp = [this](platform::MouseEvent) {
      this->log.push_back("内容框.up:" + std::to_string(内容框.selectionStart()));
    };
    输入框.onKeyDown = [this](int key, int) -> std::optional<bool> {
      this->log.push_back("输入框.key:" + std::to_string(key));
      return std::nullopt;
    };
    输入框.onContentChanged = [this] { this->log.push_back("输入框.changed"); };
    背景.onRightButtonDown = [this](platform::MouseEvent) { popupMenu(菜单); };
    开始.onSelected = [this] { this->log.push_back("开始.selected"); };
    词.onSelected = [this] { this->log.push_back("词.selected"); };
  }

  // The lesson text the way the programs build it: appended piece by piece at the end.
  void fillText() {
    platform::CharFormat f{"仿宋", 13, 0, 0, platform::rgb(0, 0, 0)};
    const char* pieces[][2] = {{"[0001]日文：お元気ですか。\r\n", "[0001]译文：你好吗？\r\n\r\n"},
                               {"[0002]日文：はい、元気です。ありがとうございます。\r\n",
                                "[0002]译文：是的，我很好。谢谢。\r\n\r\n"}};
    for (int round = 0; round < 3; ++round) {
      for (const auto& p : pieces) {
        f.color = platform::rgb(0, 0, 0);
        内容框.setSelectionStart(内容框.characterCount());
        内容框.applyCharFormat(f);
        内容框.setSelectedText(p[0]);
        f.color = platform::rgb(0, 0x80, 0);
        内容框.setSelectionStart(内容框.characterCount());
        内容框.applyCharFormat(f);
        内容框.setSelectedText(p[1]);
      }
    }
    内容框.setSelectionStart(0);
  }

  std::vector<std::string>& log;
  platform::PictureBox 背景{*this, "背景", {0, 0, 720, 520}};
  platform::TransparentLabel 透明标签{背景, "透明标签", {20, 12, 300, 18}};
  platform::ImageButton 按钮{背景, "按钮", {610, 10, 90, 24}};
  platform::NavigationBar 导航条{背景, "导航条", {10, 44, 164, 300}};
  platform::Label 标签{背景, "标签", {186, 44, 520, 48}};
  platform::RichEditBox 内容框{背景, "内容框", {186, 100, 330, 200}};
  platform::RichEditBox 输入框{背景, "输入框", {186, 310, 330, 30}};
  platform::EditBox 编辑框{背景, "编辑框", {186, 350, 200, 22}};
  platform::ListView 列表{背景, "列表", {186, 380, 330, 120}};
  platform::GroupBox 分组框{背景, "分组框", {530, 100, 170, 70}};
  platform::RadioButton 单选框1{分组框, "单选框1", {10, 22, 70, 18}};
  platform::RadioButton 单选框2{分组框, "单选框2", {90, 22, 70, 18}};
  platform::CheckBox 选择框{背景, "选择框", {530, 180, 120, 18}};
  platform::ProgressBar 进度条{背景, "进度条", {530, 210, 170, 12}};
  platform::ProgressBar 滑块{背景, "滑块", {530, 230, 170, 16}};
  platform::WebView 网页{背景, "网页", {530, 260, 170, 120}};
  platform::PictureBox 隐藏框{*this, "隐藏框", {0, 0, 100, 100}};
  platform::ImageButton 隐藏按钮{隐藏框, "隐藏按钮", {0, 0, 20, 20}};
  platform::EditBox 焦点框{隐藏框, "焦点框", {0, 30, 80, 20}};
  platform::Timer 时钟{隐藏框, "时钟"};
  platform::MediaPlayer 媒体播放1{隐藏框, "媒体播放1"};
  platform::MenuItem 菜单{*this, "菜单"};
  platform::MenuItem 开始{菜单, "开始", "开始朗读"};
  platform::MenuItem 分隔{菜单, "分隔", "-"};
  platform::MenuItem 总在最前{菜单, "总在最前", "总在最前面"};
  platform::MenuItem 内容{菜单, "内容", "朗读内容"};
  platform::MenuItem 词{内容, "词", "单词"};
};

}  // namespace showcase
