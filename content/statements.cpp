#include "content/statements.h"

#include "platform/system/database.h"

namespace content {

namespace {

// head + key + tail, and the same with the key as the bound parameter.
Statement keyed(std::string_view head, std::string_view key, std::string_view tail) {
  std::string text(head);
  text += key;
  text += tail;
  std::string sql(head.substr(0, head.size() - 1));  // the head ends in the opening quote
  sql += '?';
  sql += tail.substr(1);  // the tail starts with the closing quote
  return {std::move(text), std::move(sql), {std::string(key)}};
}

}  // namespace

Statement selectAllCourses() { return {"SELECT * FROM kecheng", "SELECT * FROM kecheng", {}}; }

Statement selectLessonItems(std::string_view lessonKey) {
  return keyed("SELECT * FROM study WHERE id = '", lessonKey, "'");
}

Statement selectLessonItem(std::string_view itemKey) {
  return keyed("SELECT * FROM study WHERE biaoshi = '", itemKey, "'");
}

Statement selectPracticeSet(std::string_view practiceSetId) {
  return keyed("SELECT * FROM lianxi WHERE id = '", practiceSetId, "'");
}

Statement selectWrongAnswers(std::string_view practiceSetId) {
  return keyed("SELECT * FROM lianxi WHERE id = '", practiceSetId, "' AND nin = '错误'");
}

Statement selectQuestion(std::string_view itemKey) {
  return keyed("SELECT * FROM lianxi WHERE biaoshi = '", itemKey, "'");
}

bool openQuery(platform::RecordSet& recordSet, const Statement& statement) {
  return recordSet.openQuery(statement.sql, statement.params, 1);
}

}  // namespace content
