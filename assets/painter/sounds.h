#pragma once

#include <cstdint>
#include <vector>

namespace painter {

// One soft click: a short tonal tap with a few milliseconds of attack and an exponential decay.
struct Click {
  double seconds;      // whole length of the file
  double pitchHz;      // main partial; a fifth above rings with it
  double decayMs;      // time constant of the tap
  double tailDecayMs;  // time constant of the quieter ring that follows
  double peak;         // highest amplitude, 0..1
};

// The click as a 16-bit mono PCM WAV file at 11025 Hz.
std::vector<std::uint8_t> clickWav(const Click& click);

}  // namespace painter
