#pragma once

#include <string>

#include "platform/platform.h"
#include "tests/platform/platform_test.h"

// A form with one unit of every kind, whose handlers write what they see to `log`.
class FormWindow : public platform::Window {
 public:
  FormWindow(platform::Runtime& rt, EventLog& log)
      : Window(rt, "formWindow", {0, 0, 800, 600}), log(log) {
    setCaption("Form");
    隐藏框.setVisible(false);
    按钮1.setClickSound(platform::Bytes{'R', 'I', 'F', 'F'});
    滑块1.setSlider(true);
    滑块1.setMinimum(1);
    滑块1.setMaximum(5);
    导航条1.setGroups({{"学习", {{"全文", {}}, {"跟读", {}}}}, {"练习", {{"听", {}}}}});
    列表框1.setColumns({{"题目", 100}, {"答案", 100}});
    菜单.setVisible(false);
    单选框1.setChecked(true);
    单选框3.setChecked(true);

    onCreated = [this] { this->log.push_back("created"); };
    onSizeChanged = [this] { this->log.push_back("sizeChanged"); };
    单选框1.onClicked = [this] { this->log.push_back("单选框1.clicked"); };
    单选框2.onClicked = [this] {
      this->log.push_back("单选框2.clicked");
      单选框2.setChecked(true);
    };
    单选框3.onClicked = [this] { this->log.push_back("单选框3.clicked"); };
    选择框1.onClicked = [this] {
      this->log.push_back(std::string("选择框1.clicked:") + (选择框1.checked() ? "1" : "0"));
    };
    标签1.onLeftButtonUp = [this](platform::MouseEvent) { this->log.push_back("标签1.up"); };
    按钮1.onClicked = [this] { this->log.push_back("按钮1.clicked"); };
    隐藏按钮.onClicked = [this] { this->log.push_back("隐藏按钮.clicked"); };
    列表框1.onCurrentRowChanged = [this] {
      this->log.push_back("列表框1.row:" + std::to_string(列表框1.selectedRow()));
    };
    导航条1.onItemClicked = [this](int g, int i) {
      this->log.push_back("导航条1.item:" + std::to_string(g) + "," + std::to_string(i));
    };
    滑块1.onPositionChanged = [this] {
      this->log.push_back("滑块1.position:" + std::to_string(滑块1.position()));
    };
    容器.onRightButtonDown = [this](platform::MouseEvent) {
      this->log.push_back("容器.right");
      popupMenu(菜单);
    };
    项1.onSelected = [this] { this->log.push_back("项1.selected"); };
    子项2.onSelected = [this] { this->log.push_back("子项2.selected"); };
    内容框.onContentChanged = [this] { this->log.push_back("内容框.changed"); };
    内容框.onLeftButtonUp = [this](platform::MouseEvent) {
      this->log.push_back("内容框.up:line " + std::to_string(内容框.getCaretLine()));
    };
  }

  EventLog& log;
  // Beside 分组框1, not over it: a user must be able to reach both radio groups.
  platform::PictureBox 容器{*this, "容器", {0, 0, 500, 500}};
  platform::RadioButton 单选框1{容器, "单选框1", {10, 10, 80, 16}};
  platform::RadioButton 单选框2{容器, "单选框2", {100, 10, 80, 16}};
  platform::CheckBox 选择框1{容器, "选择框1", {10, 30, 80, 16}};
  platform::Label 标签1{容器, "标签1", {10, 50, 80, 16}};
  platform::ImageButton 按钮1{容器, "按钮1", {10, 70, 80, 24}};
  platform::EditBox 编辑框1{容器, "编辑框1", {10, 100, 200, 20}};
  platform::RichEditBox 内容框{容器, "内容框", {10, 130, 208, 100}};
  platform::ListView 列表框1{容器, "列表框1", {300, 10, 200, 100}};
  platform::NavigationBar 导航条1{容器, "导航条1", {300, 120, 160, 300}};
  platform::ProgressBar 滑块1{容器, "滑块1", {10, 250, 88, 16}};
  platform::GroupBox 分组框1{*this, "分组框1", {500, 0, 200, 100}};
  platform::RadioButton 单选框3{分组框1, "单选框3", {10, 10, 80, 16}};
  platform::RadioButton 单选框4{分组框1, "单选框4", {10, 30, 80, 16}};
  platform::PictureBox 隐藏框{*this, "隐藏框", {0, 500, 400, 100}};
  platform::Label 隐藏标签{隐藏框, "隐藏标签", {0, 0, 80, 16}};
  platform::ListView 隐藏列表框{隐藏框, "隐藏列表框", {0, 20, 80, 50}};
  platform::ImageButton 隐藏按钮{隐藏框, "隐藏按钮", {100, 0, 80, 24}};
  platform::Timer 时钟1{隐藏框, "时钟1"};
  platform::Timer 时钟2{隐藏框, "时钟2"};
  platform::MediaPlayer 媒体播放1{隐藏框, "媒体播放1"};
  platform::MenuItem 菜单{*this, "菜单"};
  platform::MenuItem 项1{菜单, "项1"};
  platform::MenuItem 分隔1{菜单, "分隔1", "-"};
  platform::MenuItem 子菜单{菜单, "子菜单"};
  platform::MenuItem 子项1{子菜单, "子项1"};
  platform::MenuItem 子项2{子菜单, "子项2"};
};

// A secondary window: its created handler fills the list, its OK button closes it.
class DialogWindow : public platform::Window {
 public:
  DialogWindow(platform::Runtime& rt, EventLog& log)
      : Window(rt, "dialogWindow", {0, 0, 300, 200}), log(log) {
    setCaption("Dialog");
    setEscCloses(true);
    标签.setCaption("design");
    onCreated = [this] {
      this->log.push_back("dialog.created rows " + std::to_string(列表.getRowCount()) +
                          " caption " + 标签.caption() + " check " +
                          (选择框.checked() ? "1" : "0"));
      列表.appendRow();
    };
    确定按钮.onClicked = [this] {
      this->log.push_back("dialog.ok");
      close();
    };
  }

  EventLog& log;
  platform::Label 标签{*this, "标签", {0, 0, 100, 16}};
  platform::CheckBox 选择框{*this, "选择框", {0, 20, 100, 16}};
  platform::ListView 列表{*this, "列表", {0, 40, 100, 100}};
  platform::ImageButton 确定按钮{*this, "确定按钮", {0, 150, 60, 24}};
};
