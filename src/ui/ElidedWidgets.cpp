#include "ui/ElidedWidgets.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace zorvel::ui {

namespace {
// The fewest characters a cut text keeps, so that it still says what it is about.
constexpr int kKeptCharacters = 8;

int KeptWidth(const QFontMetrics& fm, const QString& text) {
  return fm.horizontalAdvance(text.left(kKeptCharacters) + QChar(0x2026));
}
}  // namespace

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QSize ElidedLabel::minimumSizeHint() const {
  const QSize full = QLabel::minimumSizeHint();
  const QMargins m = contentsMargins();
  const int w =
      std::min(full.width(), KeptWidth(fontMetrics(), text()) + m.left() + m.right() + 2 * margin());
  return {w, full.height()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
  const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  if (fontMetrics().horizontalAdvance(text()) <= r.width()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter p(this);
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
  style()->drawItemText(&p, r, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                        foregroundRole());
}

ElidedCheckBox::ElidedCheckBox(QWidget* parent) : QCheckBox(parent) {
  // A check box does not shrink below its text by default.
  setSizePolicy(QSizePolicy::Preferred, sizePolicy().verticalPolicy());
}

QSize ElidedCheckBox::minimumSizeHint() const {
  QStyleOptionButton opt;
  initStyleOption(&opt);
  const QSize full = QCheckBox::minimumSizeHint();
  const QString t = text();
  const int textWidth = fontMetrics().horizontalAdvance(t);
  const int kept = KeptWidth(fontMetrics(), t);
  return {full.width() - std::max(0, textWidth - kept), full.height()};
}

void ElidedCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  const QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, this);
  // A file name keeps its start and its extension.
  opt.text = fontMetrics().elidedText(text(), Qt::ElideMiddle, std::max(0, textRect.width()));
  p.drawControl(QStyle::CE_CheckBox, opt);
}

}  // namespace zorvel::ui
