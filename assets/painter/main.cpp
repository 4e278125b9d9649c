// Draws every picture and synthesises every click sound of Sorandel's main window and lesson
// views, writes them as files into the output folder for looking at, and writes the C++ source
// that compiles them into the assets library.

#include <QGuiApplication>
#include <fstream>
#include <iostream>

#include "basics.h"
#include "buttons.h"
#include "canvas.h"
#include "course_window.h"
#include "frame.h"
#include "icons.h"
#include "palette.h"
#include "platform/qt/bitmap_layout.h"
#include "results.h"
#include "sounds.h"
#include "source_writer.h"
#include "tavolin_bar.h"
#include "views.h"

namespace painter {
namespace {

class Collection {
 public:
  void add(std::string name, const QImage& picture) {
    add(std::move(name), platform::qt::bitmap_layout::encode(picture));
  }
  void add(std::string name, const std::vector<std::uint8_t>& bytes) {
    add(std::move(name), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<qsizetype>(bytes.size())));
  }
  void add(std::string name, QByteArray bytes) {
    if (bytes.isEmpty()) throw std::runtime_error("nothing made for " + name);
    files_.push_back({std::move(name), std::move(bytes)});
  }
  void addButton(const std::string& name, const ButtonPictures& pictures) {
    add(name + ".bmp", pictures.normal);
    add(name + "_hover.bmp", pictures.hover);
  }
  const std::vector<OutputFile>& files() const { return files_; }

 private:
  std::vector<OutputFile> files_;
};

QImage groundAt(const QImage& picture, const QRect& unit) {
  return groundOf(picture, unit.left(), unit.top(), unit.width(), unit.height());
}

void paintFrame(Collection& out) {
  const QImage skin = mainSkin();
  out.add("main_skin.bmp", skin);
  out.add("lesson_panel.bmp", lessonPanelBackground());
  out.add("basics_panel.bmp", basicsPanelPicture());
  for (int group = 0; group < kNavigationGroups; ++group)
    for (int item = 0; item < kNavigationItems; ++item)
      out.add("navigation_" + std::to_string(group) + "_" + std::to_string(item) + ".bmp",
              navigationIcon(group, item));
  out.addButton("course_button", primaryButton(groundAt(skin, frame::kCourseButton), Glyph::Courses,
                                               QStringLiteral("课程选择")));
  out.addButton("tavolin_button", outlineButton(groundAt(skin, frame::kTavolinButton),
                                                Glyph::Switch, QStringLiteral("切换到 Tavolin")));
  out.addButton("minimize_button",
                windowButton(groundAt(skin, frame::kMinimizeButton), Glyph::Minimise, false));
  out.addButton("exit_button",
                windowButton(groundAt(skin, frame::kExitButton), Glyph::Close, true));
}

void paintLessonText(Collection& out) {
  const QImage background = lessonTextBackground();
  out.add("lesson_text_background.bmp", background);
  out.add("lesson_text_title.bmp", viewTitle(groundAt(background, view::kLessonTitle), Glyph::Book,
                                             QStringLiteral("全文学习"), 15, QString()));
  const QImage readAlongGround = groundAt(background, view::kReadAlongButton);
  const QString readAlong = QStringLiteral("全文跟读");
  out.addButton("read_along_button", lightButton(readAlongGround, Glyph::Play, readAlong));
  out.add("read_along_active.bmp", activePill(readAlongGround, Glyph::Play, readAlong));
  const QImage clickToReadGround = groundAt(background, view::kClickToReadButton);
  const QString clickToRead = QStringLiteral("句子点读");
  out.addButton("click_to_read_button",
                lightButton(clickToReadGround, Glyph::Pointer, clickToRead));
  out.add("click_to_read_active.bmp", activePill(clickToReadGround, Glyph::Pointer, clickToRead));
  const QImage barGround = groundAt(background, view::kPlaybackBar);
  out.add("playback_bar_track.bmp", barTrack(barGround));
  out.add("playback_bar_fill.bmp", barFill(barGround));
}

void paintDrillAndPractice(Collection& out) {
  const QImage drill = drillBackground();
  out.add("drill_background.bmp", drill);
  out.add("drill_title.bmp",
          viewTitle(groundAt(drill, view::kDrillTitle), Glyph::Dialogue, QStringLiteral("逐句跟读"),
                    17, QStringLiteral("听录音  写日文")));
  const QImage practice = practiceBackground();
  out.add("practice_background.bmp", practice);
  const QImage actionGround = groundAt(practice, view::kPracticeStartButton);
  out.addButton("start_practice_button",
                actionButton(actionGround, Glyph::Start, QStringLiteral("开始练习"), true));
  out.addButton("submit_practice_button",
                actionButton(actionGround, Glyph::Submit, QStringLiteral("交卷"), false));
  // The step buttons lie on the plain view ground in both views.
  const QImage stepGround = groundAt(drill, view::kDrillPreviousButton);
  out.addButton("previous_button",
                lightButton(stepGround, Glyph::Previous, QStringLiteral("上一题")));
  out.addButton("next_button", lightButton(stepGround, Glyph::Next, QStringLiteral("下一题")));
  out.addButton("sound_button", soundButton(canvas(20, 20, palette::kPaper)));
}

void paintCourseWindowAndBar(Collection& out) {
  const QImage skin = courseWindowSkin();
  out.add("course_window_skin.bmp", skin);
  out.addButton("course_ok_button", actionButton(groundAt(skin, course::kOkButton), Glyph::Submit,
                                                 QStringLiteral("确定"), false));
  out.addButton("course_cancel_button", lightButton(groundAt(skin, course::kCancelButton),
                                                    Glyph::Close, QStringLiteral("取消")));
  out.addButton("course_close_button",
                windowButton(groundAt(skin, course::kCloseButton), Glyph::Close, true));
  out.add("tavolin_bar_skin.bmp", tavolinBarSkin());
}

void paintBasics(Collection& out) {
  const QImage skin = basicsSkin();
  out.add("basics_skin.bmp", skin);
  out.add("basics_strip.bmp", basicsTopicStrip());
  out.addButton("basics_close_button",
                windowButton(groundAt(skin, basics::kCloseButton), Glyph::Close, true));
}

void paintResultsWindow(Collection& out) {
  const QImage skin = resultsSkin();
  out.add("results_skin.bmp", skin);
  out.addButton("results_ok_button", lightButton(groundAt(skin, results::kOkButton), Glyph::Submit,
                                                 QStringLiteral("确定")));
  out.addButton("results_cancel_button", lightButton(groundAt(skin, results::kCancelButton),
                                                     Glyph::Close, QStringLiteral("取消")));
  out.addButton("results_close_button",
                windowButton(groundAt(skin, results::kCloseButton), Glyph::Close, true));
  out.add("results_cross.bmp", crossMark());
  out.add("results_tick.bmp", tickMark());
}

void synthesiseSounds(Collection& out) {
  out.add("button_click.wav", clickWav({0.5, 880.0, 35.0, 100.0, 0.42}));
  out.add("exit_click.wav", clickWav({0.1, 660.0, 16.0, 30.0, 0.42}));
  out.add("mode_click.wav", clickWav({0.15, 1175.0, 22.0, 45.0, 0.36}));
}

}  // namespace
}  // namespace painter

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: sorandel_asset_painter <output folder>\n";
    return 2;
  }
  try {
    const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(folder);
    painter::Collection out;
    painter::paintFrame(out);
    painter::paintLessonText(out);
    painter::paintDrillAndPractice(out);
    painter::paintResultsWindow(out);
    painter::paintCourseWindowAndBar(out);
    painter::paintBasics(out);
    painter::synthesiseSounds(out);
    for (const painter::OutputFile& file : out.files()) {
      std::ofstream stream(folder / file.name, std::ios::binary);
      stream.write(file.bytes.constData(), file.bytes.size());
      if (!stream) throw std::runtime_error("cannot write " + file.name);
    }
    painter::writeEmbeddedSource(folder / "embedded_assets.cpp", folder, out.files());
  } catch (const std::exception& error) {
    std::cerr << "sorandel_asset_painter: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
