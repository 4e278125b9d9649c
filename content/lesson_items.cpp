#include "content/lesson_items.h"

#include "content/content_folders.h"
#include "content/statements.h"
#include "platform/list_view.h"
#include "platform/system/database.h"

namespace content {

int loadLessonItemKeys(std::string_view programFolder, std::string_view lessonKey,
                       platform::DatabaseConnection& connection, platform::RecordSet& items,
                       platform::ListView& keys, std::string& lastSqlText, std::string& fieldText) {
  connection.open(ContentFolders::path(programFolder, ContentFolders::contentDatabase), "");
  items.attachConnection(connection);
  const Statement query = selectLessonItems(lessonKey);
  lastSqlText = query.text;
  openQuery(items, query);
  const int count = items.recordCount();
  items.moveFirst();
  keys.clearRows();
  while (!items.endOfRecords()) {
    keys.appendRow();
    items.readField("biaoshi", fieldText);
    keys.setCellText(keys.getRowCount() - 1, 0, fieldText);
    items.moveNext();
  }
  return count;
}

LessonItem readLessonItem(std::string_view itemKey, platform::RecordSet& items,
                          std::string& lastSqlText, std::string& fieldText) {
  const Statement query = selectLessonItem(itemKey);
  lastSqlText = query.text;
  openQuery(items, query);
  items.moveFirst();
  LessonItem item;
  items.readField("jp", fieldText);
  item.japanese = fieldText;
  items.readField("cn", fieldText);
  item.chinese = fieldText;
  items.readField("sound", fieldText);
  item.soundName = fieldText;
  return item;
}

}  // namespace content
