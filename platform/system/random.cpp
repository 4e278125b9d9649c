#include "platform/system/random.h"

#include <chrono>
#include <utility>

namespace platform {

namespace {
constexpr std::uint64_t kStartSeed = 1;
}

RandomSource::RandomSource() : engine_(kStartSeed) {}

RandomSource::RandomSource(std::uint64_t seed) : engine_(seed) {}

void RandomSource::seed(std::uint64_t value) { engine_.seed(value); }

void RandomSource::randomize() {
  if (nextFixedSeed_) {
    engine_.seed((*nextFixedSeed_)++);
    return;
  }
  std::random_device device;
  const auto clock =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::seed_seq seeds{device(), device(), static_cast<unsigned>(clock),
                      static_cast<unsigned>(clock >> 32)};
  engine_.seed(seeds);
}

void RandomSource::fixRandomizeSeeds(std::uint64_t first) { nextFixedSeed_ = first; }

int RandomSource::randomInt(int low, int high) {
  if (low > high) std::swap(low, high);
  return std::uniform_int_distribution<int>(low, high)(engine_);
}

}  // namespace platform
