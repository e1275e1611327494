#include "ui/pages/NavigationPage.h"

#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

NavigationPage::NavigationPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kNavigationPage]), true, parent) {
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
