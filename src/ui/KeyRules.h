// Which keys put the menu page away before they act: every function key but F2 (which shows and
// hides the menu itself) and every Ctrl combination but Ctrl+F (file 1's microphone response,
// which works with the menu up). The modifier keys alone do nothing.
#pragma once

#include <Qt>

namespace zorvel::ui {

inline bool KeyHidesMenuFirst(int key, Qt::KeyboardModifiers modifiers) {
  switch (key) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
      return false;
    default:
      break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return key != Qt::Key_F2;
  return (modifiers & Qt::ControlModifier) && key != Qt::Key_F;
}

}  // namespace zorvel::ui
