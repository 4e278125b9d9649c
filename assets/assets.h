#pragma once

// The design pictures (uncompressed BMP files in the layout the desktop backend shows without
// decoding, platform/qt/bitmap_layout.h) and click sounds (WAV, 11025 Hz mono, 16-bit) stored
// with Sorandel's main window and its lesson views. Every picture has exactly the size of the
// unit that shows it. The bytes live for the whole run.

#include "platform/system/bytes.h"
#include "platform/system/shared_bytes.h"

namespace assets {

// Main window frame.
const platform::SharedBytes& mainSkin();               // 主容器, 882 x 684
const platform::SharedBytes& lessonPanelBackground();  // 课文学习容器, 696 x 525
const platform::SharedBytes& basicsPanelPicture();     // 入门基础容器, 696 x 525

// Navigation bar 主菜单: group 0..1, item 0..4, 60 x 60 with a transparent surround.
// Any other group or item gives empty bytes.
const platform::SharedBytes& navigationIcon(int group, int item);

// Image buttons of the frame: normal and mouse-over picture.
const platform::SharedBytes& courseButton();  // 课程选择按钮, 100 x 28
const platform::SharedBytes& courseButtonHover();
const platform::SharedBytes& tavolinButton();  // Tavolin按钮, 126 x 28
const platform::SharedBytes& tavolinButtonHover();
const platform::SharedBytes& minimizeButton();  // 最小化按钮, 26 x 18
const platform::SharedBytes& minimizeButtonHover();
const platform::SharedBytes& exitButton();  // 退出软件按钮, 26 x 18
const platform::SharedBytes& exitButtonHover();

// Lesson text view 全文学习容器. Grounds: rows 0-39 and 441-524 flat #e0f1f9 (for the
// radios, 提示标签 and the playback row), the rich edit box area white, elsewhere #eef6fa.
const platform::SharedBytes& lessonTextBackground();  // 全文学习容器, 696 x 525
const platform::SharedBytes& lessonTextTitle();       // 逐句跟读标题图片框1, 145 x 24
const platform::SharedBytes& readAlongButton();       // 全文跟读按钮, 90 x 24
const platform::SharedBytes& readAlongButtonHover();
const platform::SharedBytes& readAlongActivePicture();  // 图片框2 (read-along on), 90 x 24
const platform::SharedBytes& clickToReadButton();       // 句子点读按钮, 90 x 24
const platform::SharedBytes& clickToReadButtonHover();
const platform::SharedBytes& clickToReadActivePicture();  // 图片框3 (click-to-read on), 90 x 24
const platform::SharedBytes& playbackBarTrack();          // 播放进度条 empty part, 88 x 16
const platform::SharedBytes& playbackBarFill();           // 播放进度条 played part, 88 x 16

// Sentence drill view 句子跟读容器. Grounds: title rows 0-43 #e0f1f9; the progress strip
// (28,62 640x34) #187db1; the option row (66,110 564x30) #e0f1f9; elsewhere #eef6fa.
const platform::SharedBytes& drillBackground();  // 句子跟读容器, 696 x 525
const platform::SharedBytes& drillTitle();       // 逐句跟读标题图片框, 248 x 29

// Practice view 练习容器 (its title pictures come from the content folders). Grounds: title
// rows 0-36 #e0f1f9; the option row 37-67 #a9d5e2; elsewhere #eef6fa.
const platform::SharedBytes& practiceBackground();   // 练习容器, 696 x 525
const platform::SharedBytes& startPracticeButton();  // 开始按钮, 90 x 24
const platform::SharedBytes& startPracticeButtonHover();
const platform::SharedBytes& submitPracticeButton();  // 交卷按钮, 90 x 24
const platform::SharedBytes& submitPracticeButtonHover();

// Buttons shared by the drill and the practice view.
const platform::SharedBytes& previousButton();  // 逐句跟读上一题, 练习上一题按钮, 80 x 24
const platform::SharedBytes& previousButtonHover();
const platform::SharedBytes& nextButton();  // 逐句跟读下一题, 练习下一题按钮, 80 x 24
const platform::SharedBytes& nextButtonHover();
const platform::SharedBytes& soundButton();  // 逐句跟读声音播放按钮, 练习声音播放按钮, 20 x 20
const platform::SharedBytes& soundButtonHover();

// Course selection window (both programs).
const platform::SharedBytes& courseWindowSkin();  // 课程选择图片框, 350 x 467
const platform::SharedBytes& courseOkButton();    // 确定按钮, 70 x 24
const platform::SharedBytes& courseOkButtonHover();
const platform::SharedBytes& courseCancelButton();  // 取消按钮, 70 x 24
const platform::SharedBytes& courseCancelButtonHover();
const platform::SharedBytes& courseCloseButton();  // 退出软件按钮, 26 x 18
const platform::SharedBytes& courseCloseButtonHover();

// Tavolin's bar.
const platform::SharedBytes& tavolinBarSkin();  // Tavolin图片框, 629 x 80

// Basics window basicsWindow.
const platform::SharedBytes& basicsSkin();         // 图片框1, 850 x 680
const platform::SharedBytes& basicsTopicStrip();   // the five topic strips, 640 x 28
const platform::SharedBytes& basicsCloseButton();  // 退出软件按钮, 26 x 18
const platform::SharedBytes& basicsCloseButtonHover();

// Results window resultsWindow. Grounds: the title strip rows 0-29 dark; the column headings
// in rows 74-95 above the list; the list area white; elsewhere #d2e8f6.
const platform::SharedBytes& resultsSkin();      // 得分统计图片框, 640 x 480
const platform::SharedBytes& resultsOkButton();  // 确定按钮, 70 x 24
const platform::SharedBytes& resultsOkButtonHover();
const platform::SharedBytes& resultsCancelButton();  // 取消按钮, 70 x 24
const platform::SharedBytes& resultsCancelButtonHover();
const platform::SharedBytes& resultsCloseButton();  // 退出软件按钮, 26 x 18
const platform::SharedBytes& resultsCloseButtonHover();
const platform::SharedBytes&
wrongAnswerIcon();  // image 0 of 题目列表框, 16 x 16, transparent ground
const platform::SharedBytes&
rightAnswerIcon();  // image 1 of 题目列表框, 16 x 16, transparent ground

// Click sounds.
const platform::Bytes& buttonClickSound();  // 课程选择按钮, Tavolin按钮, 最小化按钮: about 0.5 s
const platform::Bytes& exitClickSound();  // 退出软件按钮: about 0.1 s
const platform::Bytes& modeClickSound();  // mode, step, start and submit buttons: about 0.15 s

}  // namespace assets
