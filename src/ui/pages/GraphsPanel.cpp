#include "ui/pages/GraphsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "display/Messages.h"
#include "ui/ClickLabel.h"
#include "ui/Messages.h"

namespace zorvel::ui {
namespace {
QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

GraphsPanel::GraphsPanel(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  ShowFgraphBtn = new QPushButton(QString::fromLatin1(msg::kShowFgraph), this);
  ShowFgraphBtn->setObjectName(QStringLiteral("ShowFgraphBtn"));
  SmoothFgraph = new QCheckBox(QString::fromLatin1(msg::kSmoothFgraph), this);
  SmoothFgraph->setObjectName(QStringLiteral("SmoothFgraph"));
  HideGraphText = new QCheckBox(QString::fromLatin1(msg::kHideGraphText), this);
  HideGraphText->setObjectName(QStringLiteral("HideGraphText"));
  grid->addWidget(ShowFgraphBtn, 0, 0);
  grid->addWidget(SmoothFgraph, 0, 1);
  grid->addWidget(HideGraphText, 0, 2);
  for (int i = 0; i < kSlotCount; ++i) {
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("GraphComboBox%1").arg(i + 1));
    for (std::string_view caption : zorvel::msg::kGraphTypeCaptions) box->addItem(Q(caption));
    box->setCurrentIndex(tKHZdwell);
    GraphComboBox[static_cast<size_t>(i)] = box;
    grid->addWidget(box, 1 + i / 3, i % 3);
  }
  SetAllGraphsToF1Lbl = new ClickLabel(Q(zorvel::msg::kSetAllGraphsToF1), this);
  SetAllGraphsToF1Lbl->setObjectName(QStringLiteral("SetAllGraphsToF1Lbl"));
  grid->addWidget(SetAllGraphsToF1Lbl, 3, 0, 1, 3);
}

}  // namespace zorvel::ui
