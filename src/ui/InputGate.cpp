#include "ui/InputGate.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcutEvent>
#include <QWidget>

namespace zorvel::ui {

namespace {

bool OnOrInside(QObject* watched, const QWidget* target) {
  for (QObject* o = watched; o; o = o->parent())
    if (o == target) return true;
  return false;
}

}  // namespace

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape;
    case QEvent::ShortcutOverride:
      // Accepted here, a key press is not turned into a shortcut (F2, F4, …) but comes as a key
      // press, which is then held back too.
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) return false;
      event->accept();
      return true;
    case QEvent::Shortcut:
      return static_cast<QShortcutEvent*>(event)->key() != QKeySequence(Qt::Key_Escape);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return !(stopButton_ && OnOrInside(watched, stopButton_));
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Drop:
      return true;
    case QEvent::Close:
      // Closing now would free what the running command is reading; the user can close after.
      event->ignore();
      return true;
    default:
      return false;
  }
}

}  // namespace zorvel::ui
