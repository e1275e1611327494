#include "ui/pages/GetDataPage.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

GetDataPage::GetDataPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kGetDataPage]), true, parent) {
  UploadMemo = new QPlainTextEdit(this);
  UploadMemo->setObjectName(QStringLiteral("UploadMemo"));
  UploadMemo->setReadOnly(true);
  Body()->addWidget(UploadMemo, 1);
}

}  // namespace zorvel::ui
