#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio_output.h"
#include "platform/unit.h"

namespace platform {

// Plays MP3 recordings in the background. Length and position are in milliseconds.
// A missing, empty or corrupt file plays nothing: length 0, state kNotPlaying.
class MediaPlayer : public Unit {
 public:
  MediaPlayer(Unit& parent, std::string name);
  ~MediaPlayer() override;

  static constexpr int kPlaying = 1;
  static constexpr int kNotPlaying = 2;

  // Opens the file (a path as the program gives it), replacing what was open; a recording still
  // playing falls silent. The exact length is known when this returns.
  void openFile(const std::string& file);
  int getLength() const;
  // Plays the open recording once from its start, returning at once. The argument is the
  // programs' -1 and not otherwise used.
  void play(int times = -1);
  int getPosition() const;
  // kNotPlaying when not playing (ended, stopped, nothing playable open), else kPlaying.
  int getState() const;
  void stop();

  // The file last opened, as the program gave it.
  const std::string& file() const { return file_; }

  std::string_view kind() const override { return "MediaPlayer"; }

 protected:
  void windowClosing() override;

 private:
  std::string file_;
  std::string nativeFile_;
  bool playable_ = false;
  std::int64_t lengthMs_ = 0;
  std::unique_ptr<AudioStream> stream_;
};

}  // namespace platform
