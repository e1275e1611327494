// The time selection bound to the window: the range labels on the Files page, the "clear
// selection" label, the export option that keeps to the selection and the form's hint.
#include <QCheckBox>
#include <QLabel>

#include "display/PointerSelection.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/pages/ExportPage.h"
#include "ui/pages/FilesPage.h"

namespace zorvel::ui {

void TB::SelectionChanged() {
  const bool active = pointer_.selection.SelectionActive;
  ExportP->ExportSelectedTime->setEnabled(active);
  if (!active) ExportP->ExportSelectedTime->setChecked(false);
  Files->ClearSelectionLbl->setEnabled(active);
  const RangeTexts t = RangeLabelTexts(display_->View(), pointer_.selection, slots_.OpenCount() > 0);
  Files->RangeLbl->setText(QString::fromStdString(t.range));
  Files->StartSharedTimeLbl->setText(QString::fromStdString(t.from));
  Files->EndSharedTimeLbl->setText(QString::fromStdString(t.to));
  setToolTip(active ? QString::fromStdString(t.hint) : QString());
}

void TB::ClearSelectionClick() {
  ClearSelection(pointer_.selection, display_->View(), slots_);
  SelectionChanged();
}

void TB::KeepSelectionAfterFilesChanged(int32_t first, int32_t last) {
  // The display has just worked out the full range of the files now open. A selection stays in
  // force across opening and closing (the newly opened files are narrowed to it too); with every
  // file closed there is nothing left to select from.
  if (slots_.OpenCount() == 0) {
    pointer_.selection.SelectionActive = false;
  } else if (pointer_.selection.SelectionActive) {
    SetSelectionStart(pointer_.selection, display_->View(), slots_, first);
    SetSelectionEnd(pointer_.selection, display_->View(), slots_, last);
  }
  SelectionChanged();
}

}  // namespace zorvel::ui
