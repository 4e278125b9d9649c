#pragma once

#include <string>
#include <string_view>

namespace platform {
class DatabaseConnection;
class ListView;
class RecordSet;
}  // namespace platform

namespace content {

// Fills `keys` (its first column) with the keys of the lesson's items in order, read from the
// content database of `programFolder` through `connection` and `items`; returns their count.
// `lastSqlText` receives the statement's text and `fieldText` each key as it is read, as the
// programs' state keeps them.
int loadLessonItemKeys(std::string_view programFolder, std::string_view lessonKey,
                       platform::DatabaseConnection& connection, platform::RecordSet& items,
                       platform::ListView& keys, std::string& lastSqlText, std::string& fieldText);

// The texts and the recording of one lesson item.
struct LessonItem {
  std::string japanese;
  std::string chinese;
  std::string soundName;
};

// Reads the item with `itemKey` through `items`, attached to the open content database.
// `lastSqlText` receives the statement's text and `fieldText` each field as it is read.
LessonItem readLessonItem(std::string_view itemKey, platform::RecordSet& items,
                          std::string& lastSqlText, std::string& fieldText);

}  // namespace content
