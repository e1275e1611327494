#include "ui/pages/FilesPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/SlotFiles.h"
#include "fileutils/Messages.h"
#include "ui/ClickLabel.h"
#include "ui/Hints.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const char* hint) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setMinimumWidth(230);
  SetHint(b, QString::fromLatin1(hint));
  return b;
}

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setMaxLength(maxLength);
  return e;
}

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

FilesPage::FilesPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kFilesPage]), false, parent) {
  OpenUnrelatedFilesBtn = MakeButton(this, "OpenUnrelatedFilesBtn",
                                     QString::fromStdString(OpenButtonCaption(0)), msg::kOpenUnrelatedHint);
  OpenFileSetBtn =
      MakeButton(this, "OpenFileSetBtn", QString::fromLatin1(msg::kOpenFileSet), msg::kOpenFileSetHint);
  CloseFileBtn =
      MakeButton(this, "CloseFileBtn", QString::fromLatin1(msg::kCloseOneFile), msg::kCloseOneHint);
  CloseAllFilesBtn =
      MakeButton(this, "CloseAllFilesBtn", QString::fromLatin1(msg::kCloseAllFiles), msg::kCloseAllHint);
  CloseAllFilesBtn->setEnabled(false);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(8);
  grid->addWidget(OpenUnrelatedFilesBtn, 0, 0);
  grid->addWidget(OpenFileSetBtn, 1, 0);
  grid->addWidget(CloseFileBtn, 0, 1);
  grid->addWidget(CloseAllFilesBtn, 1, 1);
  grid->setColumnStretch(2, 1);
  Body()->addLayout(grid);

  // File 1's texts, as its header holds them; the widths are the header fields'.
  auto* texts = new QGroupBox(QString::fromLatin1(msg::kFile1TextsGroup), this);
  auto* tg = new QGridLayout(texts);
  Location1Edit = Edit(this, "Location1Edit", 32);
  Notes1Edit = Edit(this, "Notes1Edit", 40);
  Lat1Edit = Edit(this, "Lat1Edit", 12);
  Long1Edit = Edit(this, "Long1Edit", 12);
  GMT1Edit = Edit(this, "GMT1Edit", 3);
  GMT1Edit->setMaximumWidth(60);
  for (QLineEdit* e : {Lat1Edit, Long1Edit}) e->setMinimumWidth(110);
  SaveTextBtn = new QPushButton(Q(fileutils::msg::kSaveTextBtn), this);
  SaveTextBtn->setObjectName(QStringLiteral("SaveTextBtn"));
  auto caption = [this](const char* text) { return new QLabel(QString::fromLatin1(text), this); };
  tg->addWidget(caption(msg::kLocationCaption), 0, 0);
  tg->addWidget(Location1Edit, 0, 1, 1, 3);
  tg->addWidget(caption(msg::kNotesCaption), 1, 0);
  tg->addWidget(Notes1Edit, 1, 1, 1, 3);
  tg->addWidget(caption(msg::kLatCaption), 2, 0);
  tg->addWidget(Lat1Edit, 2, 1);
  tg->addWidget(caption(msg::kLongCaption), 2, 2);
  tg->addWidget(Long1Edit, 2, 3);
  tg->addWidget(caption(msg::kUtcCaption), 3, 0);
  tg->addWidget(GMT1Edit, 3, 1);
  tg->addWidget(SaveTextBtn, 3, 2, 1, 2);

  auto* period = new QGroupBox(QString::fromLatin1(msg::kPeriodGroup), this);
  auto* pg = new QGridLayout(period);
  PeriodFromEdit = Edit(this, "PeriodFromEdit", 26);
  PeriodToEdit = Edit(this, "PeriodToEdit", 26);
  for (QLineEdit* e : {PeriodFromEdit, PeriodToEdit}) {
    e->setPlaceholderText(QString::fromLatin1(msg::kPeriodPlaceholder));
    SetHint(e, QString::fromLatin1(msg::kPeriodHint));
  }
  CopyPeriodBtn = new QPushButton(Q(fileutils::msg::kCopyPeriodBtn), this);
  CopyPeriodBtn->setObjectName(QStringLiteral("CopyPeriodBtn"));
  pg->addWidget(caption(msg::kPeriodFromCaption), 0, 0);
  pg->addWidget(PeriodFromEdit, 0, 1);
  pg->addWidget(caption(msg::kPeriodToCaption), 1, 0);
  pg->addWidget(PeriodToEdit, 1, 1);
  pg->addWidget(CopyPeriodBtn, 2, 0, 1, 2);
  pg->setRowStretch(3, 1);

  auto* range = new QGroupBox(QString::fromLatin1(msg::kRangeGroup), this);
  SetHint(range, QString::fromLatin1(msg::kRangeGroupHint));
  auto* rg = new QVBoxLayout(range);
  auto rangeLabel = [this, rg](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    rg->addWidget(l);
    return l;
  };
  RangeLbl = rangeLabel("RangeLbl");
  StartSharedTimeLbl = rangeLabel("StartSharedTimeLbl");
  EndSharedTimeLbl = rangeLabel("EndSharedTimeLbl");
  ClearSelectionLbl = new ClickLabel(QString::fromLatin1(msg::kClearSelectionLbl), this);
  ClearSelectionLbl->setObjectName(QStringLiteral("ClearSelectionLbl"));
  ClearSelectionLbl->setStyleSheet(QStringLiteral("QLabel { color: blue; text-decoration: underline; }"
                                                  "QLabel:disabled { color: grey; }"));
  ClearSelectionLbl->setEnabled(false);
  rg->addWidget(ClearSelectionLbl);
  rg->addStretch(1);

  auto* lower = new QHBoxLayout;
  lower->addWidget(texts, 3);
  lower->addWidget(period, 2);
  lower->addWidget(range, 2);
  Body()->addLayout(lower);
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
