#pragma once

#include "platform/audio_mixer.h"

namespace platform::qt {

// The audio output's device stream lives in a library of its own beside the programs
// (sorandel_audio_output), so that a program starts without loading the sound server's
// client. The entry point it exports under kCreateMixerSink makes a sink on the default output
// device; the caller owns it.
using CreateMixerSink = MixerSink* (*)();
inline constexpr const char* kCreateMixerSink = "sorandelCreateMixerSink";
inline constexpr const char* kAudioOutputLibrary = "sorandel_audio_output";

}  // namespace platform::qt
