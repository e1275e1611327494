#include "ui/pages/SettingsPage.h"

#include <QVBoxLayout>

#include "import/SdImport.h"
#include "ui/ClickLabel.h"
#include "ui/Messages.h"

namespace zorvel::ui {

SettingsPage::SettingsPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kSettingsPage]), false, parent) {
  ZV1sizeLimitLbl = new ClickLabel(QString::fromStdString(Zv1SizeLimitText(kDefaultZv1SizeLimitGB)), this);
  ZV1sizeLimitLbl->setObjectName(QStringLiteral("ZV1sizeLimitLbl"));
  ZV1sizeLimitLbl->setStatusTip(QString::fromLatin1(msg::kSizeLimitHint));
  ZV1sizeLimitLbl->setCursor(Qt::PointingHandCursor);
  Body()->addWidget(ZV1sizeLimitLbl);
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
