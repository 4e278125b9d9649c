#pragma once

#include <array>
#include <string>
#include <string_view>

namespace content {

// Every file either program opens is the program folder followed by one of these tails; no
// other file, folder or base is used.
struct ContentFolders {
  static constexpr std::string_view settingsFile = "\\setting\\setting.ini";
  static constexpr std::string_view contentDatabase = "\\data\\data.mdb";
  static constexpr std::string_view exerciseDatabase = "\\data\\lianxi.mdb";

  static constexpr std::string_view musicFolder = "\\music\\";
  static constexpr std::string_view recordingExtension = ".mp3";

  static constexpr std::string_view shutterSound = "\\效果\\快门.wav";
  static constexpr std::string_view rightAnswerSound = "\\效果\\WordRight.wav";
  static constexpr std::string_view wrongAnswerSound = "\\效果\\wrong.wav";
  static constexpr std::string_view clickSound = "\\效果\\click.wav";

  static constexpr std::string_view rightMarkPicture = "\\图片\\输入正确.jpg";
  static constexpr std::string_view wrongMarkPicture = "\\图片\\输入错误.jpg";
  static constexpr std::string_view listenChooseJapaneseTitle = "\\图片\\听读音辨日文.gif";
  static constexpr std::string_view chineseChooseJapaneseTitle = "\\图片\\按译文选日文.gif";
  static constexpr std::string_view japaneseChooseChineseTitle = "\\图片\\按日文选译文.gif";

  // The animated introductory pages of the basics window.
  static constexpr std::array<std::string_view, 20> basicsPages = {
      "\\flash\\wushiyin.swf",     "\\flash\\yuanyin.swf",       "\\flash\\fuyin.swf",
      "\\flash\\aoyin.swf",        "\\flash\\bccy.swf",          "\\flash\\wailai.swf",
      "\\flash\\riyudehanzi.swf",  "\\flash\\jiamingbishun.swf", "\\flash\\jiamingyoulai.swf",
      "\\flash\\riyuhanzi.swf",    "\\flash\\changyinsx.swf",    "\\flash\\biaodian.swf",
      "\\flash\\shengdiao.swf",    "\\flash\\yudiao.swf",        "\\flash\\diyizu.swf",
      "\\flash\\dierzu.swf",       "\\flash\\kandu.swf",         "\\flash\\tingxuan.swf",
      "\\flash\\zuhewushiyin.swf", "\\flash\\fenzulianxi.swf"};

  // The two programs, started by bare file name with the program folder as working folder.
  static constexpr std::string_view sorandelProgram = "Sorandel.exe";
  static constexpr std::string_view tavolinProgram = "Tavolin.exe";

  // The tail of the recording of a `sound` name: "\music\" + sound + ".mp3".
  static std::string recording(std::string_view sound);

  // The full path: the plain concatenation of the program folder and the tail.
  static std::string path(std::string_view programFolder, std::string_view tail);
};

}  // namespace content
