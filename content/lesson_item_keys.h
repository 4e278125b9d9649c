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

}  // namespace content
