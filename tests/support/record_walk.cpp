#include "tests/support/record_walk.h"

namespace test_support {

std::vector<std::string> readColumn(platform::RecordSet& records, std::string_view field) {
  std::vector<std::string> values;
  std::string value;
  for (records.moveFirst(); !records.endOfRecords(); records.moveNext()) {
    records.readField(field, value);
    values.push_back(value);
  }
  return values;
}

}  // namespace test_support
