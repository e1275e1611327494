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
  ProcessZV1fileListBtn = new QPushButton(QString::fromLatin1(msg::kProcessZV1fileListBtn), this);
  ProcessZV1fileListBtn->setObjectName(QStringLiteral("ProcessZV1fileListBtn"));
  readRow->addWidget(ProcessZV1fileListBtn);
  readRow->addWidget(MinutesReadLbl, 1);
  Body()->addLayout(readRow);

  auto* recRow = new QHBoxLayout;
  ReadRecordingsBtn = new QPushButton(QString::fromLatin1(msg::kReadRecordingsCaption), this);
  ReadRecordingsBtn->setObjectName(QStringLiteral("ReadRecordingsBtn"));
  ReadRecordingsBtn->setStatusTip(QString::fromLatin1(msg::kReadRecordingsHint));
  recRow->addWidget(ReadRecordingsBtn);
  auto edit = [&](const char* name, const char* caption, const char* text) {
    auto* e = new QLineEdit(QString::fromLatin1(text), this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(60);
    recRow->addWidget(new QLabel(QString::fromLatin1(caption), this));
    recRow->addWidget(e);
    return e;
  };
  TimeExpansionEdit = edit("TimeExpansionEdit", msg::kTimeExpansionCaption, "");
  HighPassKhzEdit = edit("HighPassKhzEdit", msg::kHighPassKhzCaption, "15");
  ChannelEdit = edit("ChannelEdit", msg::kChannelCaption, "1");
  RecordingsSubfolders = Check(this, "RecordingsSubfolders", msg::kRecordingsSubfoldersCaption, false);
  OneFilePerFolder = Check(this, "OneFilePerFolder", msg::kOneFilePerFolderCaption, false);
  ZeroCrossingFrontEnd = Check(this, "ZeroCrossingFrontEnd", msg::kZeroCrossingFrontEndCaption, false);
  ZeroCrossingFrontEnd->setStatusTip(QString::fromLatin1(msg::kZeroCrossingFrontEndHint));
  ZeroCrossingFrontEnd->setToolTip(QString::fromLatin1(msg::kZeroCrossingFrontEndHint));
  recRow->addWidget(RecordingsSubfolders);
  recRow->addWidget(OneFilePerFolder);
  recRow->addWidget(ZeroCrossingFrontEnd);
  recRow->addStretch(1);
  Body()->addLayout(recRow);

  UploadMemo = new QPlainTextEdit(this);
  UploadMemo->setObjectName(QStringLiteral("UploadMemo"));
  UploadMemo->setReadOnly(true);
  Body()->addWidget(UploadMemo, 1);
}

}  // namespace zorvel::ui
