#include "ui/pages/AboutPage.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/Messages.h"

namespace zorvel::ui {

AboutPage::AboutPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kAboutPage]), false, parent) {
  ProgramNameLbl = new QLabel(QString::fromLatin1(msg::kProgramName), this);
  ProgramNameLbl->setObjectName(QStringLiteral("ProgramNameLbl"));
  QFont big = ProgramNameLbl->font();
  big.setPointSizeF(big.pointSizeF() * 2.0);
  big.setBold(true);
  ProgramNameLbl->setFont(big);
  VersionLbl = new QLabel(QString::fromLatin1(msg::kVersionPrefix) + QStringLiteral(ZORVEL_VERSION), this);
  VersionLbl->setObjectName(QStringLiteral("VersionLbl"));
  auto* purpose = new QLabel(QString::fromLatin1(msg::kProgramPurpose), this);
  purpose->setWordWrap(true);
  const QString address = QString::fromLatin1(msg::kWebAddress);
  WebLinkLbl = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color:#7fc4ff\">%1</a>").arg(address), this);
  WebLinkLbl->setObjectName(QStringLiteral("WebLinkLbl"));
  WebLinkLbl->setTextInteractionFlags(Qt::TextBrowserInteraction);
  WebLinkLbl->setOpenExternalLinks(false);
  connect(WebLinkLbl, &QLabel::linkActivated, this,
          [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });

  Body()->addWidget(ProgramNameLbl);
  Body()->addWidget(VersionLbl);
  Body()->addWidget(purpose);
  Body()->addWidget(WebLinkLbl);
  Body()->addStretch(1);
}

}  // namespace zorvel::ui
