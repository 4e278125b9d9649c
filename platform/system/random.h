#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace platform {

// The programs' random numbers. Starts from a fixed seed, so a test that never randomizes (or
// seeds it) draws the same numbers every run.
class RandomSource {
 public:
  RandomSource();
  explicit RandomSource(std::uint64_t seed);

  void seed(std::uint64_t value);
  // Seeds from a source that differs from run to run.
  void randomize();
  // From now on randomize() seeds with `first`, then first + 1, and so on: a test's shuffles
  // then differ from each other and repeat from run to run.
  void fixRandomizeSeeds(std::uint64_t first);
  // A value from low to high, both included; every value is reachable.
  int randomInt(int low, int high);

 private:
  std::mt19937_64 engine_;
  std::optional<std::uint64_t> nextFixedSeed_;
};

}  // namespace platform
