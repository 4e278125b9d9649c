#include "assets/assets.h"

#include <array>
#include <map>
#include <string>

#include "assets/embedded.h"

namespace assets {
namespace {

template <typename Held>
using Library = std::map<std::string, Held, std::less<>>;

// The pictures are held where the program carries them: showing one copies nothing.
const Library<platform::SharedBytes>& pictures() {
  static const Library<platform::SharedBytes> all = [] {
    Library<platform::SharedBytes> made;
    for (const embedded::File& file : embedded::files())
      if (!file.name.ends_with(".wav"))
        made.emplace(file.name, platform::SharedBytes::lasting({file.data, file.size}));
    return made;
  }();
  return all;
}

const platform::SharedBytes& none() {
  static const platform::SharedBytes empty;
  return empty;
}

const platform::SharedBytes& file(std::string_view name) {
  const auto found = pictures().find(name);
  return found == pictures().end() ? none() : found->second;
}

// The click sounds are small, and played from bytes of their own.
const platform::Bytes& sound(std::string_view name) {
  static const Library<platform::Bytes> all = [] {
    Library<platform::Bytes> made;
    for (const embedded::File& file : embedded::files())
      if (file.name.ends_with(".wav"))
        made.emplace(file.name, platform::Bytes(file.data, file.data + file.size));
    return made;
  }();
  return all.find(name)->second;
}

}  // namespace

const platform::SharedBytes& mainSkin() { return file("main_skin.bmp"); }
const platform::SharedBytes& lessonPanelBackground() { return file("lesson_panel.bmp"); }
const platform::SharedBytes& basicsPanelPicture() { return file("basics_panel.bmp"); }

const platform::SharedBytes& navigationIcon(int group, int item) {
  if (group < 0 || group > 1 || item < 0 || item > 4) return none();
  return file("navigation_" + std::to_string(group) + "_" + std::to_string(item) + ".bmp");
}

const platform::SharedBytes& courseButton() { return file("course_button.bmp"); }
const platform::SharedBytes& courseButtonHover() { return file("course_button_hover.bmp"); }
const platform::SharedBytes& tavolinButton() { return file("tavolin_button.bmp"); }
const platform::SharedBytes& tavolinButtonHover() { return file("tavolin_button_hover.bmp"); }
const platform::SharedBytes& minimizeButton() { return file("minimize_button.bmp"); }
const platform::SharedBytes& minimizeButtonHover() { return file("minimize_button_hover.bmp"); }
const platform::SharedBytes& exitButton() { return file("exit_button.bmp"); }
const platform::SharedBytes& exitButtonHover() { return file("exit_button_hover.bmp"); }

const platform::SharedBytes& lessonTextBackground() { return file("lesson_text_background.bmp"); }
const platform::SharedBytes& lessonTextTitle() { return file("lesson_text_title.bmp"); }
const platform::SharedBytes& readAlongButton() { return file("read_along_button.bmp"); }
const platform::SharedBytes& readAlongButtonHover() { return file("read_along_button_hover.bmp"); }
const platform::SharedBytes& readAlongActivePicture() { return file("read_along_active.bmp"); }
const platform::SharedBytes& clickToReadButton() { return file("click_to_read_button.bmp"); }
const platform::SharedBytes& clickToReadButtonHover() {
  return file("click_to_read_button_hover.bmp");
}
const platform::SharedBytes& clickToReadActivePicture() { return file("click_to_read_active.bmp"); }
const platform::SharedBytes& playbackBarTrack() { return file("playback_bar_track.bmp"); }
const platform::SharedBytes& playbackBarFill() { return file("playback_bar_fill.bmp"); }

const platform::SharedBytes& drillBackground() { return file("drill_background.bmp"); }
const platform::SharedBytes& drillTitle() { return file("drill_title.bmp"); }

const platform::SharedBytes& practiceBackground() { return file("practice_background.bmp"); }
const platform::SharedBytes& startPracticeButton() { return file("start_practice_button.bmp"); }
const platform::SharedBytes& startPracticeButtonHover() {
  return file("start_practice_button_hover.bmp");
}
const platform::SharedBytes& submitPracticeButton() { return file("submit_practice_button.bmp"); }
const platform::SharedBytes& submitPracticeButtonHover() {
  return file("submit_practice_button_hover.bmp");
}

const platform::SharedBytes& previousButton() { return file("previous_button.bmp"); }
const platform::SharedBytes& previousButtonHover() { return file("previous_button_hover.bmp"); }
const platform::SharedBytes& nextButton() { return file("next_button.bmp"); }
const platform::SharedBytes& nextButtonHover() { return file("next_button_hover.bmp"); }
const platform::SharedBytes& soundButton() { return file("sound_button.bmp"); }
const platform::SharedBytes& soundButtonHover() { return file("sound_button_hover.bmp"); }

const platform::SharedBytes& courseWindowSkin() { return file("course_window_skin.bmp"); }
const platform::SharedBytes& courseOkButton() { return file("course_ok_button.bmp"); }
const platform::SharedBytes& courseOkButtonHover() { return file("course_ok_button_hover.bmp"); }
const platform::SharedBytes& courseCancelButton() { return file("course_cancel_button.bmp"); }
const platform::SharedBytes& courseCancelButtonHover() {
  return file("course_cancel_button_hover.bmp");
}
const platform::SharedBytes& courseCloseButton() { return file("course_close_button.bmp"); }
const platform::SharedBytes& courseCloseButtonHover() {
  return file("course_close_button_hover.bmp");
}

const platform::SharedBytes& tavolinBarSkin() { return file("tavolin_bar_skin.bmp"); }

const platform::SharedBytes& basicsSkin() { return file("basics_skin.bmp"); }
const platform::SharedBytes& basicsTopicStrip() { return file("basics_strip.bmp"); }
const platform::SharedBytes& basicsCloseButton() { return file("basics_close_button.bmp"); }
const platform::SharedBytes& basicsCloseButtonHover() {
  return file("basics_close_button_hover.bmp");
}

const platform::SharedBytes& resultsSkin() { return file("results_skin.bmp"); }
const platform::SharedBytes& resultsOkButton() { return file("results_ok_button.bmp"); }
const platform::SharedBytes& resultsOkButtonHover() { return file("results_ok_button_hover.bmp"); }
const platform::SharedBytes& resultsCancelButton() { return file("results_cancel_button.bmp"); }
const platform::SharedBytes& resultsCancelButtonHover() {
  return file("results_cancel_button_hover.bmp");
}
const platform::SharedBytes& resultsCloseButton() { return file("results_close_button.bmp"); }
const platform::SharedBytes& resultsCloseButtonHover() {
  return file("results_close_button_hover.bmp");
}
const platform::SharedBytes& wrongAnswerIcon() { return file("results_cross.bmp"); }
const platform::SharedBytes& rightAnswerIcon() { return file("results_tick.bmp"); }

const platform::Bytes& buttonClickSound() { return sound("button_click.wav"); }
const platform::Bytes& exitClickSound() { return sound("exit_click.wav"); }
const platform::Bytes& modeClickSound() { return sound("mode_click.wav"); }

}  // namespace assets
