#pragma once

#include <cstdint>
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
  // A value from low to high, both included; every value is reachable.
  int randomInt(int low, int high);

 private:
  std::mt19937_64 engine_;
};

}  // namespace platform
