#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

// One row of `lianxi`.
struct Question {
  std::string id{};
  std::string biaoshi{};
  std::string timu{};
  std::string a{};
  std::string b{};
  std::string c{};
  std::string d{};
  std::string daan{};
  std::string xuanxiang{};
  std::string sound{};
  std::string nin = "您未做此题";
  std::string shuru{};

  bool operator==(const Question&) const = default;
};

// A throwaway program folder: the content folders, and the two database files with their
// tables, filled with the rows a test adds. Removed with everything in it on destruction.
class ProgramFolder {
 public:
  ProgramFolder();
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  // The folder, without a trailing separator: what the program is told is its folder.
  const std::string& path() const { return path_; }
  // The native path of a backslash tail such as "\data\data.mdb".
  std::string file(std::string_view tail) const;

  ProgramFolder& addCourse(std::string_view kecheng, std::string_view kb);
  ProgramFolder& addItem(std::string_view id, std::string_view biaoshi, std::string_view jp,
                         std::string_view cn, std::string_view sound);
  ProgramFolder& addQuestion(const Question& question);

  // Runs SQL on one database file (its tail), for cases the helpers above do not make.
  void execute(std::string_view databaseTail, std::string_view sql) const;

  // The settings file, given as UTF-8 text and written in GBK.
  void writeSettings(std::string_view text) const;
  // The settings file decoded from GBK; "" when there is none.
  std::string settingsText() const;

  void putFile(std::string_view tail, std::string_view bytes) const;
  void removeFile(std::string_view tail) const;
  bool exists(std::string_view tail) const;

  // Every row of `lianxi`, in table order.
  std::vector<Question> questions() const;
  std::optional<Question> question(std::string_view biaoshi) const;

 private:
  std::string path_;
};

}  // namespace test_support
