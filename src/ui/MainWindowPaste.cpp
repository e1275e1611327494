// The popup's clipboard lists: one refresh of the screen with the action slot's list flag set,
// so that the painter writes a line for every wave group or call it draws of that file; the
// list then goes to the clipboard as tab-separated text.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>

#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/pages/ExportPage.h"

namespace zorvel::ui {

namespace {
constexpr int kMessageMs = 3000;
}  // namespace

void TB::PasteListClick(bool calls) {
  if (!FileSlots::ValidSlot(actionSlot_) || !slots_[actionSlot_].Open)
    return TimedMessage(QString::fromLatin1(msg::kNoFileForAction), kMessageMs);
  // A low-resolution screen would leave the list empty and the clipboard wiped for nothing.
  if (!display_->View().HighRes())
    return TimedMessage(QString::fromLatin1(msg::kPasteNeedsHighRes), kMessageMs);
  // The list always starts with its header line, so a paste is never headerless.
  ExportP->OmitSpreadsheetHeaders->setChecked(false);
  TFileRec& s = slots_[actionSlot_];
  bool& flag = calls ? s.PasteCalls : s.PasteRaw;
  flag = true;
  PasteList& list = display_->Paste();
  list.Clear();
  display_->View().SeekFile = seekFile_;
  display_->Nav().Refresh(false);
  QGuiApplication::clipboard()->setText(QString::fromStdString(list.Text()));
  list.Clear();
  flag = false;
  Display->update();
}

}  // namespace zorvel::ui
