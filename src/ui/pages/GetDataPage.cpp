#include "ui/pages/GetDataPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "import/Messages.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
QLineEdit* Edit(QWidget* parent, const char* name, int maxLength, const QString& hint) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setMaxLength(maxLength);
  e->setStatusTip(hint);
  e->setToolTip(hint);
  return e;
}

QLabel* Label(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, bool on) {
  auto* c = new QCheckBox(QString::fromLatin1(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(on);
  return c;
}
}  // namespace

GetDataPage::GetDataPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kGetDataPage]), false, parent) {
  const QString positionHint = QString::fromLatin1(zorvel::msg::kPositionHint.data(),
                                                   static_cast<int>(zorvel::msg::kPositionHint.size()));
  auto* grid = new QGridLayout;
  LatEdit = Edit(this, "LatEdit", 12, positionHint);
  LongEdit = Edit(this, "LongEdit", 12, positionHint);
  LatDecDegLbl = Label(this, "LatDecDegLbl");
  LongDecDegLbl = Label(this, "LongDecDegLbl");
  LatErrorLbl = Label(this, "LatErrorLbl");
  LongErrorLbl = Label(this, "LongErrorLbl");
  LatErrorLbl->setStyleSheet(QStringLiteral("color: #ff6060"));
  LongErrorLbl->setStyleSheet(QStringLiteral("color: #ff6060"));
  LocationEdit = Edit(this, "LocationEdit", 32, QString::fromLatin1(msg::kLocationHint));
  NotesEdit = Edit(this, "NotesEdit", 40, QString::fromLatin1(msg::kNotesHint));
  UTCEdit = Edit(this, "UTCEdit", 3, QString::fromLatin1(msg::kUtcHint));
  int row = 0;
  grid->addWidget(new QLabel(QString::fromLatin1(msg::kLatCaption), this), row, 0);
  grid->addWidget(LatEdit, row, 1);
  grid->addWidget(LatDecDegLbl, row, 2);
  grid->addWidget(LatErrorLbl, row++, 3);
  grid->addWidget(new QLabel(QString::fromLatin1(msg::kLongCaption), this), row, 0);
  grid->addWidget(LongEdit, row, 1);
  grid->addWidget(LongDecDegLbl, row, 2);
  grid->addWidget(LongErrorLbl, row++, 3);
  grid->addWidget(new QLabel(QString::fromLatin1(msg::kLocationCaption), this), row, 0);
  grid->addWidget(LocationEdit, row++, 1, 1, 3);
  grid->addWidget(new QLabel(QString::fromLatin1(msg::kNotesCaption), this), row, 0);
  grid->addWidget(NotesEdit, row++, 1, 1, 3);
  grid->addWidget(new QLabel(QString::fromLatin1(msg::kUtcCaption), this), row, 0);
  grid->addWidget(UTCEdit, row++, 1);
  grid->setColumnStretch(3, 1);
  Body()->addLayout(grid);

  NoGapsInFileName = Check(this, "NoGapsInFileName", msg::kNoGapsCaption, false);
  ProcessAfterDownload = Check(this, "ProcessAfterDownload", msg::kProcessAfterDownloadCaption, true);
  OpenFileAfterDownload = Check(this, "OpenFileAfterDownload", msg::kOpenFileAfterDownloadCaption, true);
  Body()->addWidget(NoGapsInFileName);
  Body()->addWidget(ProcessAfterDownload);
  Body()->addWidget(OpenFileAfterDownload);

  auto* readRow = new QHBoxLayout;
  ReadSDBtn = new QPushButton(QString::fromLatin1(msg::kReadSdCaption), this);
  ReadSDBtn->setObjectName(QStringLiteral("ReadSDBtn"));
  ReadSDBtn->setStatusTip(QString::fromLatin1(msg::kReadSdHint));
  MinutesReadLbl = Label(this, "MinutesReadLbl");
  readRow->addWidget(ReadSDBtn);
  readRow->addWidget(MinutesReadLbl, 1);
  Body()->addLayout(readRow);

  UploadMemo = new QPlainTextEdit(this);
  UploadMemo->setObjectName(QStringLiteral("UploadMemo"));
  UploadMemo->setReadOnly(true);
  Body()->addWidget(UploadMemo, 1);
}

}  // namespace zorvel::ui
