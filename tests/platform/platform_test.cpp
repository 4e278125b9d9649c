#include "tests/platform/platform_test.h"

#include <fstream>
#include <iterator>

void PlatformTest::putFixture(const std::string& fixture, std::string_view tail) {
  std::ifstream in(std::string(PLATFORM_FIXTURES) + "/" + fixture, std::ios::binary);
  ASSERT_TRUE(in) << "missing fixture " << fixture;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  folder_.putFile(tail, bytes);
}
