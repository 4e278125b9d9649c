#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace painter {
namespace {

constexpr int kSampleRate = 11025;
constexpr double kAttackSeconds = 0.004;
constexpr double kFadeOutSeconds = 0.012;

void putText(std::vector<std::uint8_t>& out, std::string_view text) {
  for (char c : text) out.push_back(static_cast<std::uint8_t>(c));
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int byteCount) {
  for (int i = 0; i < byteCount; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<double> synthesise(const Click& click) {
  const int count = static_cast<int>(std::lround(click.seconds * kSampleRate));
  std::vector<double> samples(count);
  std::uint32_t noiseState = 0x2545f491u;
  double phase = 0.0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    // A slight downward glide keeps the tap from sounding like a beep.
    const double pitch = click.pitchHz * (1.0 + 0.06 * std::exp(-t / 0.01));
    phase += 2.0 * std::numbers::pi * pitch / kSampleRate;
    const double attack = std::min(1.0, t / kAttackSeconds);
    const double tap = std::exp(-t * 1000.0 / click.decayMs);
    const double tail = 0.18 * std::exp(-t * 1000.0 / click.tailDecayMs);
    const double fadeOut = std::clamp((click.seconds - t) / kFadeOutSeconds, 0.0, 1.0);
    noiseState = noiseState * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(noiseState >> 8) / (1u << 24)) * 2.0 - 1.0;
    const double tone =
        0.72 * std::sin(phase) + 0.22 * std::sin(1.5 * phase) + 0.06 * noise * std::exp(-t / 0.003);
    samples[i] = attack * fadeOut * (tap + tail) * tone;
  }
  const double loudest = std::max(
      1e-9, std::abs(*std::max_element(samples.begin(), samples.end(), [](double a, double b) {
        return std::abs(a) < std::abs(b);
      })));
  for (double& s : samples) s *= click.peak / loudest;
  return samples;
}

}  // namespace

std::vector<std::uint8_t> clickWav(const Click& click) {
  const std::vector<double> samples = synthesise(click);
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  putText(out, "RIFF");
  putLittleEndian(out, 36 + dataBytes, 4);
  putText(out, "WAVE");
  putText(out, "fmt ");
  putLittleEndian(out, 16, 4);  // size of the format chunk
  putLittleEndian(out, 1, 2);   // PCM
  putLittleEndian(out, 1, 2);   // mono
  putLittleEndian(out, kSampleRate, 4);
  putLittleEndian(out, kSampleRate * 2, 4);  // bytes per second
  putLittleEndian(out, 2, 2);                // bytes per frame
  putLittleEndian(out, 16, 2);               // bits per sample
  putText(out, "data");
  putLittleEndian(out, dataBytes, 4);
  for (double s : samples) {
    const auto value = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
    putLittleEndian(out, static_cast<std::uint16_t>(value), 2);
  }
  return out;
}

}  // namespace painter
