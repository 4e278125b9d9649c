#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {
class RecordSet;
}

namespace content {

// One of the six queries of the programs, in two forms: `text`, the statement as the literal
// head, the key unchanged and the literal tail joined (what `lastSqlText` holds), and `sql`
// with `params`, the same query with the key bound, so a key holding a quote still finds its
// rows.
struct Statement {
  std::string text;
  std::string sql;
  std::vector<std::string> params;
};

Statement selectAllCourses();
Statement selectLessonItems(std::string_view lessonKey);
Statement selectLessonItem(std::string_view itemKey);
Statement selectPracticeSet(std::string_view practiceSetId);
Statement selectWrongAnswers(std::string_view practiceSetId);
Statement selectQuestion(std::string_view itemKey);

// Runs the statement on the record set in mode 1.
bool openQuery(platform::RecordSet& recordSet, const Statement& statement);

}  // namespace content
