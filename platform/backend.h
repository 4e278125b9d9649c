#pragma once

#include <cstdint>
#include <string>

#include "platform/audio_output.h"
#include "platform/property.h"
#include "platform/system/bytes.h"
#include "platform/text_layout.h"

namespace platform {

class MediaPlayer;
class MenuItem;
class Runtime;
class Unit;
class Window;

enum class MediaEvent { Opened, Played, Stopped };

// What a backend does for the model: draw the units, deliver input to their user* entry points,
// keep the clock, play sound, show message boxes and menus, start programs. It holds no rule of
// the units: those are all in the model.
class Backend {
 public:
  virtual ~Backend() = default;

  // The runtime that uses this backend (one at a time).
  virtual void attach(Runtime& runtime) = 0;
  virtual void detach(Runtime& runtime) = 0;

  // Clock and timers: the runtime keeps the timers; the backend calls Runtime::fireDueTimers()
  // when the time of Runtime::nextTimerDue() has come.
  virtual std::int64_t nowMs() const = 0;
  // The next due time of the timers changed.
  virtual void timersChanged() = 0;

  // Windows. showWindow comes after the created handler, with the model complete: the backend
  // draws the window from it. runUntilClosed handles events until the window is closed (or the
  // program ends) and then returns. windowClosed follows Window::close.
  virtual void showWindow(Window& window) = 0;
  virtual void runUntilClosed(Window& window) = 0;
  virtual void windowClosed(Window& window) = 0;
  // A property of a unit of a live window was written.
  virtual void unitChanged(Unit& unit, Property property) = 0;

  // A modal message box; returns 0 for OK, another value for Cancel, Esc or the close box.
  virtual int showMessageBox(const std::string& text, int style, const std::string& caption) = 0;
  // Pops up the items below `top` at the mouse pointer and returns at once. Choosing an item
  // calls MenuItem::userChoose; dismissing calls Runtime::popupDismissed.
  virtual void popupMenu(Window& window, MenuItem& top) = 0;

  // Sound effects, independent of the media players and of each other. `file` is the path as the
  // program gave it, `nativePath` the file to play, "" when it is missing (nothing to play).
  virtual void playSoundFile(const std::string& file, const std::string& nativePath) = 0;
  virtual void playClickSound(const Unit& button, const Bytes& wav) = 0;
  virtual AudioOutput& audioOutput() = 0;
  // What a media player did (for logs; drawing needs nothing from it).
  virtual void mediaEvent(const MediaPlayer& player, MediaEvent event) = 0;

  // Starts the executable at `nativePath` with `workingFolder` (native) as its working folder
  // and returns at once; false when it could not be started. `file` is the name the program
  // gave; `nativePath` is "" when no such program was found (nothing to start).
  virtual bool startProgram(const std::string& file, const std::string& nativePath,
                            const std::string& workingFolder) = 0;

  // The system clipboard's text ("" when it holds none), and text put on it, for the text
  // boxes' cut, copy and paste.
  virtual std::string clipboardText() const = 0;
  virtual void setClipboardText(const std::string& utf8) = 0;

  virtual int screenWidth() const = 0;
  virtual int screenHeight() const = 0;
  virtual const TextMeasurer& textMeasurer() const = 0;
};

}  // namespace platform
