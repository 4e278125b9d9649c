#include "assets/assets.h"

#include <array>
#include <map>
#include <string>

#include "assets/embedded.h"

namespace assets {
namespace {

using Library = std::map<std::string, platform::Bytes, std::less<>>;

const Library& library() {
  static const Library all = [] {
    Library made;
    for (const embedded::File& file : embedded::files())
      made.emplace(file.name, platform::Bytes(file.data, file.data + file.size));
    return made;
  }();
  return all;
}

const platform::Bytes& none() {
  static const platform::Bytes empty;
  return empty;
}

const platform::Bytes& file(std::string_view name) {
  const auto found = library().find(name);
  return found == library().end() ? none() : found->second;
}

}  // namespace

const platform::Bytes& mainSkin() { return file("main_skin.png"); }
const platform::Bytes& lessonPanelBackground() { return file("lesson_panel.png"); }
const platform::Bytes& basicsPanelPicture() { return file("basics_panel.png"); }

const platform::Bytes& navigationIcon(int group, int item) {
  if (group < 0 || group > 1 || item < 0 || item > 4) return none();
  return file("navigation_" + std::to_string(group) + "_" + std::to_string(item) + ".png");
}

const platform::Bytes& courseButton() { return file("course_button.png"); }
const platform::Bytes& courseButtonHover() { return file("course_button_hover.png"); }
const platform::Bytes& tavolinButton() { return file("tavolin_button.png"); }
const platform::Bytes& tavolinButtonHover() { return file("tavolin_button_hover.png"); }
const platform::Bytes& minimizeButton() { return file("minimize_button.png"); }
const platform::Bytes& minimizeButtonHover() { return file("minimize_button_hover.png"); }
const platform::Bytes& exitButton() { return file("exit_button.png"); }
const platform::Bytes& exitButtonHover() { return file("exit_button_hover.png"); }

const platform::Bytes& lessonTextBackground() { return file("lesson_text_background.png"); }
const platform::Bytes& lessonTextTitle() { return file("lesson_text_title.png"); }
const platform::Bytes& readAlongButton() { return file("read_along_button.png"); }
const platform::Bytes& readAlongButtonHover() { return file("read_along_button_hover.png"); }
const platform::Bytes& readAlongActivePicture() { return file("read_along_active.png"); }
const platform::Bytes& clickToReadButton() { return file("click_to_read_button.png"); }
const platform::Bytes& clickToReadButtonHover() { return file("click_to_read_button_hover.png"); }
const platform::Bytes& clickToReadActivePicture() { return file("click_to_read_active.png"); }
const platform::Bytes& playbackBarTrack() { return file("playback_bar_track.png"); }
const platform::Bytes& playbackBarFill() { return file("playback_bar_fill.png"); }

const platform::Bytes& drillBackground() { return file("drill_background.png"); }
const platform::Bytes& drillTitle() { return file("drill_title.png"); }

const platform::Bytes& practiceBackground() { return file("practice_background.png"); }
const platform::Bytes& startPracticeButton() { return file("start_practice_button.png"); }
const platform::Bytes& startPracticeButtonHover() {
  return file("start_practice_button_hover.png");
}
const platform::Bytes& submitPracticeButton() { return file("submit_practice_button.png"); }
const platform::Bytes& submitPracticeButtonHover() {
  return file("submit_practice_button_hover.png");
}

const platform::Bytes& previousButton() { return file("previous_button.png"); }
const platform::Bytes& previousButtonHover() { return file("previous_button_hover.png"); }
const platform::Bytes& nextButton() { return file("next_button.png"); }
const platform::Bytes& nextButtonHover() { return file("next_button_hover.png"); }
const platform::Bytes& soundButton() { return file("sound_button.png"); }
const platform::Bytes& soundButtonHover() { return file("sound_button_hover.png"); }

const platform::Bytes& courseWindowSkin() { return file("course_window_skin.png"); }
const platform::Bytes& courseOkButton() { return file("course_ok_button.png"); }
const platform::Bytes& courseOkButtonHover() { return file("course_ok_button_hover.png"); }
const platform::Bytes& courseCancelButton() { return file("course_cancel_button.png"); }
const platform::Bytes& courseCancelButtonHover() { return file("course_cancel_button_hover.png"); }
const platform::Bytes& courseCloseButton() { return file("course_close_button.png"); }
const platform::Bytes& courseCloseButtonHover() { return file("course_close_button_hover.png"); }

const platform::Bytes& tavolinBarSkin() { return file("tavolin_bar_skin.png"); }

const platform::Bytes& basicsSkin() { return file("basics_skin.png"); }
const platform::Bytes& basicsTopicStrip() { return file("basics_strip.png"); }
const platform::Bytes& basicsCloseButton() { return file("basics_close_button.png"); }
const platform::Bytes& basicsCloseButtonHover() { return file("basics_close_button_hover.png"); }

const platform::Bytes& resultsSkin() { return file("results_skin.png"); }
const platform::Bytes& resultsOkButton() { return file("results_ok_button.png"); }
const platform::Bytes& resultsOkButtonHover() { return file("results_ok_button_hover.png"); }
const platform::Bytes& resultsCancelButton() { return file("results_cancel_button.png"); }
const platform::Bytes& resultsCancelButtonHover() {
  return file("results_cancel_button_hover.png");
}
const platform::Bytes& resultsCloseButton() { return file("results_close_button.png"); }
const platform::Bytes& resultsCloseButtonHover() { return file("results_close_button_hover.png"); }
const platform::Bytes& wrongAnswerIcon() { return file("results_cross.png"); }
const platform::Bytes& rightAnswerIcon() { return file("results_tick.png"); }

const platform::Bytes& buttonClickSound() { return file("button_click.wav"); }
const platform::Bytes& exitClickSound() { return file("exit_click.wav"); }
const platform::Bytes& modeClickSound() { return file("mode_click.wav"); }

}  // namespace assets
