#pragma once

#include <QString>

class QWidget;

namespace platform::qt {

// What a web view widget asks of the page engine, which lives in a library of its own beside
// the programs (sorandel_web_engine) and is loaded the first time a movie is to be shown.
class PagePlayer {
 public:
  virtual ~PagePlayer() = default;
  // The widget that shows the pages, a child of the parent given at creation.
  virtual QWidget* widget() = 0;
  // Plays the movie file at the native path; an empty path shows an empty page.
  virtual void show(const QString& moviePath) = 0;
};

// The engine library (beside the programs) and the entry point it exports under
// kCreatePagePlayer. `playerFolder` holds
// the player page and its runtime files.
using CreatePagePlayer = PagePlayer* (*)(QWidget* parent, const QString& playerFolder);
inline constexpr const char* kEngineLibrary = "sorandel_web_engine";
inline constexpr const char* kCreatePagePlayer = "sorandelCreatePagePlayer";

}  // namespace platform::qt
