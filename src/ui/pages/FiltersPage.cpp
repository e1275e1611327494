#include "ui/pages/FiltersPage.h"

#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

FiltersPage::FiltersPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kFiltersPage]), true, parent) {
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
