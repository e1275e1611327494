#include "ui/pages/SettingsPage.h"

#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

SettingsPage::SettingsPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kSettingsPage]), true, parent) {
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
