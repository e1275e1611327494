// The developer parameters window (TDevF): the call finder's tuning values, the reader's
// developer switches and the TempParam filter range. Shown with administrator mode; its label
// switches administrator mode off again.
#pragma once

#include <QDialog>

#include "callfinder/Settings.h"

class QCheckBox;
class QLineEdit;

namespace zorvel::ui {

class ClickLabel;

class TDevF : public QDialog {
  Q_OBJECT
 public:
  explicit TDevF(QWidget* parent = nullptr);

  // The tuning edits as the call finder reads them at the start of a run (integer text; a
  // text that is not a whole number keeps the default).
  void ReadInto(FinderSettings& s) const;

  QLineEdit* MaxKHZscaledMismatchEdit = nullptr;
  QLineEdit* TriageThresholdEdit = nullptr;
  QLineEdit* BendThresholdEdit = nullptr;
  QLineEdit* FlatWiggleEdit = nullptr;
  QLineEdit* MinuteTriageLevelEdit = nullptr;
  QLineEdit* MinTempParamEdit = nullptr;
  QLineEdit* MaxTempParamEdit = nullptr;
  QCheckBox* ForceExtendedIPIs = nullptr;
  QCheckBox* ForceExtendedSPL = nullptr;
  QCheckBox* ShowTimingMessages = nullptr;
  QCheckBox* ExportTimeStamps = nullptr;
  QCheckBox* AddTimestampsAtTimeReversals = nullptr;
  ClickLabel* JunkYardLbl = nullptr;
};

}  // namespace zorvel::ui
