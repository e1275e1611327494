#include "ui/pages/DisplayPage.h"

#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

DisplayPage::DisplayPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kDisplayPage]), true, parent) {
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
