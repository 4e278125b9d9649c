#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/platform/driver.h"
#include "tests/support/program_folder.h"

inline void PrintTo(const DriverFactory& factory, std::ostream* os) { *os << factory.name; }

namespace platform {
inline void PrintTo(const CharFormat& f, std::ostream* os) {
  *os << "{" << f.fontName << ", " << f.fontSize << ", effects " << f.effects << ", colour 0x"
      << std::hex << f.color << std::dec << "}";
}
}  // namespace platform

// Every conformance test runs once per backend driver, in a fresh program folder and runtime.
class PlatformTest : public ::testing::TestWithParam<DriverFactory> {
 protected:
  PlatformTest() : driver_(GetParam().make()), rt_(driver_->backend(), folder_.path()) {}

  Driver& d() { return *driver_; }
  platform::Runtime& rt() { return rt_; }
  test_support::ProgramFolder& folder() { return folder_; }

  // Copies a committed fixture into the program folder at a backslash tail.
  void putFixture(const std::string& fixture, std::string_view tail);

 private:
  test_support::ProgramFolder folder_;
  std::unique_ptr<Driver> driver_;
  platform::Runtime rt_;
};

#define PLATFORM_TEST_SUITE(Suite)                        \
  INSTANTIATE_TEST_SUITE_P(                               \
      Backends, Suite, ::testing::ValuesIn(allDrivers()), \
      [](const ::testing::TestParamInfo<DriverFactory>& info) { return info.param.name; })

// The events a window's handlers saw, in order ("radio1.clicked", "timer.tick@80").
using EventLog = std::vector<std::string>;
