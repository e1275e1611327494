#include "ui/pages/ExportPage.h"

#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

ExportPage::ExportPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kExportPage]), true, parent) {
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
