#include "platform/media_player.h"

#include "platform/mp3_file.h"
#include "platform/runtime.h"
#include "platform/system/paths.h"

namespace platform {

MediaPlayer::MediaPlayer(Unit& parent, std::string name) : Unit(parent, std::move(name)) {}

MediaPlayer::~MediaPlayer() {
  if (stream_ != nullptr) stream_->stop();
}

void MediaPlayer::openFile(const std::string& file) {
  if (stream_ != nullptr) stream_->stop();
  stream_.reset();
  file_ = file;
  nativeFile_ = nativePath(file);
  const Mp3Info info = probeMp3(nativeFile_);
  playable_ = info.playable;
  lengthMs_ = info.playable ? info.lengthMs : 0;
  runtime().backend().mediaEvent(*this, MediaEvent::Opened);
}

int MediaPlayer::getLength() const { return static_cast<int>(lengthMs_); }

void MediaPlayer::play(int) {
  if (stream_ != nullptr) stream_->stop();
  stream_.reset();
  // A closed window's player stays silent, also for code that runs on after the close.
  if (!playable_ || window().isClosed()) return;
  std::unique_ptr<PcmSource> source = openMp3(nativeFile_);
  if (source == nullptr) return;
  stream_ = runtime().backend().audioOutput().play(std::move(source), lengthMs_);
  runtime().backend().mediaEvent(*this, MediaEvent::Played);
}

int MediaPlayer::getPosition() const {
  if (stream_ == nullptr) return 0;
  const std::int64_t played = stream_->playedMs();
  return static_cast<int>(played < lengthMs_ ? played : lengthMs_);
}

int MediaPlayer::getState() const {
  return stream_ != nullptr && !stream_->finished() ? kPlaying : kNotPlaying;
}

void MediaPlayer::stop() {
  if (stream_ != nullptr) stream_->stop();
  runtime().backend().mediaEvent(*this, MediaEvent::Stopped);
}

void MediaPlayer::windowClosing() {
  if (stream_ != nullptr) stream_->stop();
}

}  // namespace platform
