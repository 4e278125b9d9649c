#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/system/database.h"

namespace test_support {

// One field of every row of the record set's result, walked from the first row as the
// programs' list loops walk it.
std::vector<std::string> readColumn(platform::RecordSet& records, std::string_view field);

}  // namespace test_support
