#include "ui/pages/FileSetPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "fileutils/Messages.h"
#include "ui/Hints.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {

namespace fm = fileutils::msg;

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton* Button(QWidget* parent, const char* name, std::string_view caption, const char* hint) {
  auto* b = new QPushButton(Q(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  if (hint) SetHint(b, QString::fromLatin1(hint));
  return b;
}

QCheckBox* Check(QWidget* parent, const char* name, std::string_view caption) {
  auto* c = new QCheckBox(Q(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(true);
  return c;
}

}  // namespace

FileSetPanel::FileSetPanel(QWidget* parent) : QGroupBox(QString::fromLatin1(msg::kFileSetGroup), parent) {
  setObjectName(QStringLiteral("FileSetPanel"));
  RenameFileSetBtn = Button(this, "RenameFileSetBtn", fm::kRenameSetBtn, msg::kRenameSetHint);
  RenameOneFileBtn = Button(this, "RenameOneFileBtn", fm::kRenameOneBtn, msg::kRenameOneHint);
  DeleteFileSetBtn = Button(this, "DeleteFileSetBtn", fm::kDeleteSetBtn, msg::kDeleteSetHint);
  AddMinsToStartBtn = Button(this, "AddMinsToStartBtn", fm::kAddMinutesBtn, nullptr);
  MinsToAddToStartEdit = new QLineEdit(Q(fm::kMinsToAddDefault), this);
  MinsToAddToStartEdit->setObjectName(QStringLiteral("MinsToAddToStartEdit"));
  MinsToAddToStartEdit->setMaximumWidth(80);
  SetHint(MinsToAddToStartEdit, QString::fromLatin1(msg::kMinutesToAddHint));
  JoinZV1FilesBtn = Button(this, "JoinZV1FilesBtn", fm::kJoinBtn, msg::kJoinHint);
  KeepGapsChk = Check(this, "KeepGapsChk", fm::kKeepGapsChk);
  CopyJoinFirstFileChk = Check(this, "CopyJoinFirstFileChk", fm::kCopyJoinFirstFileChk);
  CropCopiesBtn = Button(this, "CropCopiesBtn", fm::kCropBtn, msg::kCropHint);

  auto* g = new QGridLayout(this);
  g->setHorizontalSpacing(10);
  g->addWidget(RenameFileSetBtn, 0, 0);
  g->addWidget(RenameOneFileBtn, 0, 1);
  g->addWidget(DeleteFileSetBtn, 0, 2);
  g->addWidget(AddMinsToStartBtn, 1, 0);
  g->addWidget(MinsToAddToStartEdit, 1, 1, Qt::AlignLeft);
  g->addWidget(JoinZV1FilesBtn, 2, 0);
  g->addWidget(KeepGapsChk, 2, 1);
  g->addWidget(CopyJoinFirstFileChk, 2, 2);
  g->addWidget(CropCopiesBtn, 3, 0);
  g->setColumnStretch(3, 1);
}

}  // namespace zorvel::ui
