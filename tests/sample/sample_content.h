#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Read access to the generated sample content, for the tests that check it.
namespace sample {

// One row of a table, by column name.
using Row = std::map<std::string, std::string>;

// The folder the generator wrote, before any program ran on it.
std::filesystem::path generatedFolder();
// The assembled program folder the content is copied into.
std::filesystem::path programFolder();

// A file of the content: `folder` followed by a backslash-separated tail of ContentFolders.
std::filesystem::path contentFile(const std::filesystem::path& folder, std::string_view tail);

// Every row of a table of data\data.mdb or data\lianxi.mdb of the generated folder, in the order
// an unsorted query returns them.
std::vector<Row> contentTable(std::string_view table);
std::vector<Row> exerciseTable(std::string_view table);

// The CREATE statements of a database file as SQLite keeps them, one a line, each ending in ";".
std::string schemaOf(std::string_view databaseTail);

// Characters as a text box counts them: code points of the UTF-8 text.
std::size_t characterCount(std::string_view text);

}  // namespace sample
