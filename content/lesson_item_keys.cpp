#include "content/lesson_item_keys.h"

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

}  // namespace content
