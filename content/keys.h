#pragma once

#include <string>
#include <string_view>

namespace content {

// Study theme texts: the second part of a lesson key.
inline constexpr std::string_view sentenceTheme = "基本课文";
inline constexpr std::string_view wordTheme = "单词";

// Practice mode texts: the second part of a practice set id.
inline constexpr std::string_view listenChooseJapanese = "音选日";
inline constexpr std::string_view chineseChooseJapanese = "中选日";
inline constexpr std::string_view japaneseChooseChinese = "日选中";

// Practice kind texts: the last part of a practice set id. Sentences end differently here
// ("句子") than in a lesson key ("基本课文").
inline constexpr std::string_view sentenceKind = "句子";
inline constexpr std::string_view wordKind = "单词";

// Outcomes stored in `lianxi.nin`.
inline constexpr std::string_view answeredRight = "正确";
inline constexpr std::string_view answeredWrong = "错误";
inline constexpr std::string_view notAnswered = "您未做此题";

// Keys are joined without separators.
std::string lessonKey(std::string_view courseKey, std::string_view theme);
std::string practiceSetId(std::string_view courseKey, std::string_view mode, std::string_view kind);

}  // namespace content
