#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace painter {

// Simple line glyphs on a 24 x 24 grid, scaled into any square box.
enum class Glyph {
  Book,           // 全文学习
  Dialogue,       // 逐句跟读
  Headphones,     // 听读音辨日文
  ChineseToKana,  // 按译文选日文
  KanaToChinese,  // 按日文选译文
  Writing,        // 日语文字和书写
  Voice,          // 日语的发音
  Pitch,          // 声调与语调
  Attention,      // 要注意的发音
  Checklist,      // 入门基础练习
  Courses,
  Switch,
  Play,
  Pointer,
  Speaker,
  Minimise,
  Close,
  Previous,
  Next,
  Start,
  Submit,
};

// stroke is the line width in pixels of the target, whatever the box size.
void drawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& colour, qreal stroke);

}  // namespace painter
