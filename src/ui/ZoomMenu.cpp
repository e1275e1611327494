#include "ui/ZoomMenu.h"

#include <QAction>

#include "sound/Messages.h"
#include "ui/Messages.h"

namespace zorvel::ui {

ZoomMenu::ZoomMenu(QWidget* parent) : QMenu(parent) {
  setObjectName(QStringLiteral("ZoomMenu"));
  auto item = [this](const char* name, const char* caption) {
    QAction* a = addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  ZoomIn = item("ZoomInItem", msg::kZoomInItem);
  ZoomOut = item("ZoomOutItem", msg::kZoomOutItem);
  ShowEarlier = item("ShowEarlierItem", msg::kShowEarlierItem);
  ShowLater = item("ShowLaterItem", msg::kShowLaterItem);
  addSeparator();
  SelectFile = item("SelectFileItem", msg::kSelectFileItem);
  addSeparator();
  SelectionStart = item("SelectionStartItem", msg::kSelectionStartItem);
  SelectionEnd = item("SelectionEndItem", msg::kSelectionEndItem);
  ClearSelection = item("ClearSelectionItem", msg::kClearSelectionItem);
  addSeparator();
  SaveTimePoint = item("SaveTimePointItem", msg::kSaveTimePointItem);
  GoToTimePoint = item("GoToTimePointItem", msg::kGoToTimePointItem);
  addSeparator();
  MarkCalls = item("MarkCallsItem", msg::kMarkCallsItem);
  UnmarkCalls = item("UnmarkCallsItem", msg::kUnmarkCallsItem);
  PasteRaw = item("PasteRawItem", msg::kPasteRawItem);
  PasteCalls = item("PasteCallsItem", msg::kPasteCallsItem);
  TimeToMemo = item("TimeToMemoItem", msg::kTimeToMemoItem);
  addSeparator();
  auto soundItem = [this](const char* name, std::string_view caption) {
    QAction* a = addAction(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  CreateWav = soundItem("createwavfileoffirstcallonscreen1", sound::msg::kCreateWavMenu);
  WavNameToClipboard = soundItem("Putwavnameintoclipboard1", sound::msg::kWavNameToClipboardMenu);
}

}  // namespace zorvel::ui
