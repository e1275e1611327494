#include "ui/pages/ProcessPage.h"

#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

ProcessPage::ProcessPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kProcessPage]), true, parent) {
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
