// The popup of a right press over the plot. Its commands act at the pressed x, which the window
// keeps; the menu only holds the actions so that tests can trigger them by name.
#pragma once

#include <QMenu>

class QAction;

namespace zorvel::ui {

class ZoomMenu : public QMenu {
  Q_OBJECT
 public:
  explicit ZoomMenu(QWidget* parent = nullptr);

  QAction* ZoomIn = nullptr;
  QAction* ZoomOut = nullptr;
  QAction* ShowEarlier = nullptr;
  QAction* ShowLater = nullptr;
  QAction* SelectFile = nullptr;
  QAction* SelectionStart = nullptr;
  QAction* SelectionEnd = nullptr;
  QAction* ClearSelection = nullptr;
  QAction* SaveTimePoint = nullptr;
  QAction* GoToTimePoint = nullptr;
  QAction* MarkCalls = nullptr;
  QAction* UnmarkCalls = nullptr;
  QAction* PasteRaw = nullptr;
  QAction* PasteCalls = nullptr;
  QAction* TimeToMemo = nullptr;
  QAction* CreateWav = nullptr;
  QAction* WavNameToClipboard = nullptr;
};

}  // namespace zorvel::ui
