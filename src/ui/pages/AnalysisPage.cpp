#include "ui/pages/AnalysisPage.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

AnalysisPage::AnalysisPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kAnalysisPage]), true, parent) {
  AnalysisMemo = new QPlainTextEdit(this);
  AnalysisMemo->setObjectName(QStringLiteral("AnalysisMemo"));
  AnalysisMemo->setVisible(false);
  Body()->addWidget(AnalysisMemo, 1);
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
