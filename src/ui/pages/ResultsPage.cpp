#include "ui/pages/ResultsPage.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name) {
  auto* m = new QPlainTextEdit(parent);
  m->setObjectName(QString::fromLatin1(name));
  // Results are tab-separated tables: a fixed-pitch font keeps their columns readable.
  m->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m->setLineWrapMode(QPlainTextEdit::NoWrap);
  return m;
}
}  // namespace

ResultsPage::ResultsPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kResultsPage]), false, parent) {
  DataMemo = MakeMemo(this, "DataMemo");
  ErrorsMemo = MakeMemo(this, "ErrorsMemo");
  ErrorsMemo->setReadOnly(true);
  ErrorsMemo->setMaximumWidth(320);
  CopyDataMemoBtn = MakeButton(this, "CopyDataMemoBtn", msg::kCutToClipboard);
  CopyResultsBtn = MakeButton(this, "CopyResultsBtn", msg::kCopyToClipboard);
  ClearJotterBtn = MakeButton(this, "ClearJotterBtn", msg::kClearAll);
  SaveResultsAsFileBtn = MakeButton(this, "SaveResultsAsFileBtn", msg::kSaveAsTextFile);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {CopyDataMemoBtn, CopyResultsBtn, ClearJotterBtn, SaveResultsAsFileBtn})
    buttons->addWidget(b);
  buttons->addStretch(1);
  auto* errors = new QVBoxLayout;
  errors->addWidget(new QLabel(QString::fromLatin1(msg::kErrorsCaption), this));
  errors->addWidget(ErrorsMemo, 1);
  auto* row = new QHBoxLayout;
  row->addWidget(DataMemo, 1);
  row->addLayout(buttons);
  row->addLayout(errors);
  Body()->addLayout(row, 1);
}

}  // namespace zorvel::ui
