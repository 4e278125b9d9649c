#include "platform/qt/simple_widgets.h"

#include <QPainter>

#include "platform/qt/qt_style.h"

namespace platform::qt {

namespace {

void fillBackground(QPainter& p, const QWidget& w, Color color) {
  if (color != kDefaultColor) p.fillRect(w.rect(), toQColor(color, Qt::transparent));
}

}  // namespace

void PictureBoxWidget::refresh(Property property) {
  if (property == Property::Picture) {
    // Decoded when first drawn: the pictures of hidden pages cost the start nothing.
    picture_.reset();
    hideWhatLiesBehind();
    update();
  } else if (property == Property::Appearance) {
    update();
  }
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
  if (!live()) return;
  QPainter p(this);
  fillBackground(p, *this, unit().backgroundColor());
  const QImage& picture = picture_.image(pictureBytes());
  if (!picture.isNull()) p.drawImage(0, 0, picture);
}

void PictureBoxWidget::resizeEvent(QResizeEvent*) { hideWhatLiesBehind(); }

// Qt leaves what lies behind an opaque widget unpainted: a picture hidden under an opaque one
// that covers the whole box is neither drawn nor decoded.
void PictureBoxWidget::hideWhatLiesBehind() {
  const QSize picture = opaqueSize(pictureBytes());
  setAttribute(Qt::WA_OpaquePaintEvent, picture.width() >= width() && picture.height() >= height());
}

void GroupBoxWidget::refresh(Property property) {
  if (property == Property::Caption || property == Property::Appearance) update();
}

void GroupBoxWidget::paintEvent(QPaintEvent*) {
  if (!live()) return;
  QPainter p(this);
  fillBackground(p, *this, unit().backgroundColor());
  const QString caption = toQString(static_cast<const GroupBox&>(unit()).caption());
  const QFontMetrics fm(font());
  const int top = fm.height() / 2;
  const QRect text(8, 0, fm.horizontalAdvance(caption) + 4, fm.height());
  // The frame line stops either side of the caption, which lies on what is behind the box.
  if (!caption.isEmpty()) p.setClipRegion(QRegion(rect()).subtracted(text));
  p.setPen(QColor(160, 160, 160));
  p.drawRect(QRectF(0.5, top + 0.5, width() - 1.0, height() - top - 1.0));
  p.setClipping(false);
  if (!caption.isEmpty()) {
    p.setPen(toQColor(unit().textColor(), Qt::black));
    p.drawText(text, Qt::AlignCenter, caption);
  }
}

LabelWidget::LabelWidget(Label& label, QWidget* parent)
    : PlainUnitWidget(label, parent), transparent_(label.kind() == "TransparentLabel") {
  if (transparent_) setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LabelWidget::refresh(Property property) {
  if (property == Property::Caption || property == Property::Appearance) update();
}

void LabelWidget::paintEvent(QPaintEvent*) {
  if (!live()) return;
  QPainter p(this);
  if (!transparent_) fillBackground(p, *this, unit().backgroundColor());
  // A line taller than the label (a font with a generous line height) is centred on it, so
  // that its glyphs and not the empty part of the line fill the label.
  const int align = (fontMetrics().height() > height() ? Qt::AlignVCenter : Qt::AlignTop) |
                    Qt::AlignLeft | Qt::TextWordWrap;
  const QColor fallback = isEnabled() ? QColor(Qt::black) : QColor(128, 128, 128);
  p.setPen(isEnabled() ? toQColor(unit().textColor(), fallback) : fallback);
  p.drawText(rect().adjusted(label().textIndent(), 0, 0, 0), align, toQString(label().caption()));
}

}  // namespace platform::qt
