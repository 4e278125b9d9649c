#include "sorandel/basics_window.h"

#include <array>

#include "assets/assets.h"
#include "content/content_folders.h"
#include "content/settings_file.h"

namespace {

// Says that the pages play inside the program: no player has to be installed.
constexpr std::string_view kHint = "提示：动画由本软件内置播放，无需另外安装播放器";

struct Topic {
  std::string_view value;
  platform::PictureBox BasicsWindow::*strip;
  std::string_view firstPage;
};

// In the order in which the topic is compared.
constexpr std::array<Topic, 5> kTopics = {{
    {"日语的发音", &BasicsWindow::日语的发音容器, "\\flash\\wushiyin.swf"},
    {"日语文字与书写", &BasicsWindow::日语文字与书写容器, "\\flash\\riyudehanzi.swf"},
    {"声调与语调", &BasicsWindow::声调和语调容器, "\\flash\\shengdiao.swf"},
    {"要注意的发音", &BasicsWindow::要注意的发音容器, "\\flash\\diyizu.swf"},
    {"入门基础练习", &BasicsWindow::练习容器, "\\flash\\kandu.swf"},
}};

struct Page {
  platform::RadioButton BasicsWindow::*radio;
  std::string_view caption;
  std::string_view path;
  bool checked;
};

constexpr std::array<Page, 20> kPages = {{
    {&BasicsWindow::五十音图单选框, "五十音图", "\\flash\\wushiyin.swf", true},
    {&BasicsWindow::元音单选框, "元音", "\\flash\\yuanyin.swf", false},
    {&BasicsWindow::辅音单选框, "辅音", "\\flash\\fuyin.swf", false},
    {&BasicsWindow::拗音单选框, "拗音", "\\flash\\aoyin.swf", false},
    {&BasicsWindow::拨音单选框, "拨音、促音、长音", "\\flash\\bccy.swf", false},
    {&BasicsWindow::外来词单选框, "外来词专用音节", "\\flash\\wailai.swf", false},
    {&BasicsWindow::日语的文字单选框, "日语的文字", "\\flash\\riyudehanzi.swf", true},
    {&BasicsWindow::假名的笔顺单选框, "假名的笔顺", "\\flash\\jiamingbishun.swf", false},
    {&BasicsWindow::假名的由来单选框, "假名的由来", "\\flash\\jiamingyoulai.swf", false},
    {&BasicsWindow::日语汉字单选框, "日语汉字", "\\flash\\riyuhanzi.swf", false},
    {&BasicsWindow::长音的书写方法单选框, "长音的书写方法", "\\flash\\changyinsx.swf", false},
    {&BasicsWindow::标点符号单选框, "标点符号", "\\flash\\biaodian.swf", false},
    {&BasicsWindow::声调单选框, "声调", "\\flash\\shengdiao.swf", true},
    {&BasicsWindow::语调单选框, "语调", "\\flash\\yudiao.swf", false},
    {&BasicsWindow::第一组单选框, "第一组", "\\flash\\diyizu.swf", true},
    {&BasicsWindow::第二组单选框, "第二组", "\\flash\\dierzu.swf", false},
    {&BasicsWindow::看读单选框, "看读", "\\flash\\kandu.swf", true},
    {&BasicsWindow::听选单选框, "听选", "\\flash\\tingxuan.swf", false},
    {&BasicsWindow::组合五十音图单选框, "组合五十音图", "\\flash\\zuhewushiyin.swf", false},
    {&BasicsWindow::分组练习单选框, "分组练习", "\\flash\\fenzulianxi.swf", false},
}};

}  // namespace

BasicsWindow::BasicsWindow(platform::Runtime& runtime, SorandelState& state)
    : Window(runtime, "basicsWindow", {0, 0, 850, 680}), state_(state) {
  setBorder(platform::Border::None);
  setCentred(true);
  setTaskbarButton(true);
  setMovable(true);
  setDragAnywhere(true);
  setOutline(platform::Outline::Rectangle);
  setAlwaysOnTop(false);
  setEscCloses(true);

  图片框1.setPicture(assets::basicsSkin());
  透明标签1.setCaption(std::string(kHint));
  透明标签1.setTextColor(platform::rgb(255, 255, 255));
  for (const Topic& topic : kTopics) {
    platform::PictureBox& strip = this->*topic.strip;
    strip.setVisible(false);
    strip.setPicture(assets::basicsTopicStrip());
  }
  designPages();
  退出软件按钮.setPicture(assets::basicsCloseButton());
  退出软件按钮.setHoverPicture(assets::basicsCloseButtonHover());
  退出软件按钮.setCursor(platform::Cursor::Hand);
  退出软件按钮.onClicked = [this] { basicsCloseButtonClicked(); };

  onCreated = [this] { basicsWindowCreated(); };
}

void BasicsWindow::designPages() {
  for (const Page& page : kPages) {
    platform::RadioButton& radio = this->*page.radio;
    radio.setCaption(std::string(page.caption));
    radio.setTextColor(platform::rgb(0x02, 0x44, 0x67));
    radio.setBackgroundColor(platform::rgb(0xd2, 0xe8, 0xf6));
    radio.setChecked(page.checked);
    radio.onClicked = [this, path = page.path] { basicsPageRadioClicked(path); };
  }
}

void BasicsWindow::basicsWindowCreated() {
  const std::string& folder = runtime().getProgramFolder();
  state_.basicsTopic = content::SettingsFile::read(folder, content::SettingsFile::basicsTopic);
  for (const Topic& topic : kTopics) {
    if (state_.basicsTopic != topic.value) continue;
    (this->*topic.strip).setVisible(true);
    state_.basicsPagePath = topic.firstPage;
    break;
  }
  swf播放器.navigate(content::ContentFolders::path(folder, state_.basicsPagePath));
}

void BasicsWindow::basicsPageRadioClicked(std::string_view page) {
  state_.basicsPagePath = page;
  swf播放器.navigate(content::ContentFolders::path(runtime().getProgramFolder(), page));
}

void BasicsWindow::basicsCloseButtonClicked() { close(); }
