#include "ui/pages/TitledPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvel::ui {

TitledPage::TitledPage(const QString& title, bool placeholder, QWidget* parent)
    : QWidget(parent), title_(title) {
  body_ = new QVBoxLayout(this);
  body_->setContentsMargins(10, 8, 10, 8);
  if (placeholder) {
    auto* heading = new QLabel(title, this);
    heading->setObjectName(QStringLiteral("PageTitleLbl"));
    QFont f = heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    heading->setFont(f);
    body_->addWidget(heading);
  }
}

}  // namespace zorvel::ui
