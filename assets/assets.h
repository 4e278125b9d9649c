#pragma once

// The design pictures (PNG) and click sounds (WAV, 11025 Hz mono, 16-bit) stored with
// Sorandel's main window and its lesson views. Every picture has exactly the size of the unit
// that shows it. The bytes live for the whole run.

#include "platform/system/bytes.h"

namespace assets {

// Main window frame.
const platform::Bytes& mainSkin();               // 主容器, 882 x 684
const platform::Bytes& lessonPanelBackground();  // 课文学习容器, 696 x 525
const platform::Bytes& basicsPanelPicture();     // 入门基础容器, 696 x 525

// Navigation bar 主菜单: group 0..1, item 0..4, 60 x 60 with a transparent surround.
// Any other group or item gives empty bytes.
const platform::Bytes& navigationIcon(int group, int item);

// Image buttons of the frame: normal and mouse-over picture.
const platform::Bytes& courseButton();  // 课程选择按钮, 100 x 28
const platform::Bytes& courseButtonHover();
const platform::Bytes& tavolinButton();  // Tavolin按钮, 126 x 28
const platform::Bytes& tavolinButtonHover();
const platform::Bytes& minimizeButton();  // 最小化按钮, 26 x 18
const platform::Bytes& minimizeButtonHover();
const platform::Bytes& exitButton();  // 退出软件按钮, 26 x 18
const platform::Bytes& exitButtonHover();

// Lesson text view 全文学习容器. Grounds: rows 0-39 and 441-524 flat #e0f1f9 (for the
// radios, 提示标签 and the playback row), the rich edit box area white, elsewhere #eef6fa.
const platform::Bytes& lessonTextBackground();  // 全文学习容器, 696 x 525
const platform::Bytes& lessonTextTitle();       // 逐句跟读标题图片框1, 145 x 24
const platform::Bytes& readAlongButton();       // 全文跟读按钮, 90 x 24
const platform::Bytes& readAlongButtonHover();
const platform::Bytes& readAlongActivePicture();  // 图片框2 (read-along on), 90 x 24
const platform::Bytes& clickToReadButton();       // 句子点读按钮, 90 x 24
const platform::Bytes& clickToReadButtonHover();
const platform::Bytes& clickToReadActivePicture();  // 图片框3 (click-to-read on), 90 x 24
const platform::Bytes& playbackBarTrack();          // 播放进度条 empty part, 88 x 16
const platform::Bytes& playbackBarFill();           // 播放进度条 played part, 88 x 16

// Sentence drill view 句子跟读容器. Grounds: title rows 0-43 #e0f1f9; the progress strip
// (28,62 640x34) #187db1; the option row (66,110 564x30) #e0f1f9; elsewhere #eef6fa.
const platform::Bytes& drillBackground();  // 句子跟读容器, 696 x 525
const platform::Bytes& drillTitle();       // 逐句跟读标题图片框, 248 x 29

// Practice view 练习容器 (its title pictures come from the content folders). Grounds: title
// rows 0-36 #e0f1f9; the option row 37-67 #a9d5e2; elsewhere #eef6fa.
const platform::Bytes& practiceBackground();   // 练习容器, 696 x 525
const platform::Bytes& startPracticeButton();  // 开始按钮, 90 x 24
const platform::Bytes& startPracticeButtonHover();
const platform::Bytes& submitPracticeButton();  // 交卷按钮, 90 x 24
const platform::Bytes& submitPracticeButtonHover();

// Buttons shared by the drill and the practice view.
const platform::Bytes& previousButton();  // 逐句跟读上一题, 练习上一题按钮, 80 x 24
const platform::Bytes& previousButtonHover();
const platform::Bytes& nextButton();  // 逐句跟读下一题, 练习下一题按钮, 80 x 24
const platform::Bytes& nextButtonHover();
const platform::Bytes& soundButton();  // 逐句跟读声音播放按钮, 练习声音播放按钮, 20 x 20
const platform::Bytes& soundButtonHover();

// Course selection window (both programs).
const platform::Bytes& courseWindowSkin();  // 课程选择图片框, 350 x 467
const platform::Bytes& courseOkButton();    // 确定按钮, 70 x 24
const platform::Bytes& courseOkButtonHover();
const platform::Bytes& courseCancelButton();  // 取消按钮, 70 x 24
const platform::Bytes& courseCancelButtonHover();
const platform::Bytes& courseCloseButton();  // 退出软件按钮, 26 x 18
const platform::Bytes& courseCloseButtonHover();

// Tavolin's bar.
const platform::Bytes& tavolinBarSkin();  // Tavolin图片框, 629 x 80

// Basics window basicsWindow.
const platform::Bytes& basicsSkin();         // 图片框1, 850 x 680
const platform::Bytes& basicsTopicStrip();   // the five topic strips, 640 x 28
const platform::Bytes& basicsCloseButton();  // 退出软件按钮, 26 x 18
const platform::Bytes& basicsCloseButtonHover();

// Results window resultsWindow. Grounds: the title strip rows 0-29 dark; the column headings
// in rows 74-95 above the list; the list area white; elsewhere #d2e8f6.
const platform::Bytes& resultsSkin();      // 得分统计图片框, 640 x 480
const platform::Bytes& resultsOkButton();  // 确定按钮, 70 x 24
const platform::Bytes& resultsOkButtonHover();
const platform::Bytes& resultsCancelButton();  // 取消按钮, 70 x 24
const platform::Bytes& resultsCancelButtonHover();
const platform::Bytes& resultsCloseButton();  // 退出软件按钮, 26 x 18
const platform::Bytes& resultsCloseButtonHover();
const platform::Bytes& wrongAnswerIcon();  // image 0 of 题目列表框, 16 x 16, transparent ground
const platform::Bytes& rightAnswerIcon();  // image 1 of 题目列表框, 16 x 16, transparent ground

// Click sounds.
const platform::Bytes& buttonClickSound();  // 课程选择按钮, Tavolin按钮, 最小化按钮: about 0.5 s
const platform::Bytes& exitClickSound();  // 退出软件按钮: about 0.1 s
const platform::Bytes& modeClickSound();  // mode, step, start and submit buttons: about 0.15 s

}  // namespace assets
