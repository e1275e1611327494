#include "ui/pages/FilesPage.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/SlotFiles.h"
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
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
