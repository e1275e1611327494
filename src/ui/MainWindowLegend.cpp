// The seven legend labels of the feature colours: filled while a high-resolution screen is up,
// empty at low resolution.
#include <QLabel>

#include "display/Labels.h"
#include "display/Palette.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"

namespace zorvel::ui {

void TB::UpdateLegend() {
  constexpr int kLastHighResLevel = 11;
  const bool highRes = display_->View().DisplayTimeUnit <= kLastHighResLevel;
  // The labels sit in a row of their own, so every one of them fits.
  // The feature colours mean nothing on the file graphs: the labels are emptied while they show.
  std::vector<LegendLabel> labels = LegendLabels(highRes, 1 << 20, nullptr);
  if (graphsShown_)
    for (LegendLabel& l : labels) l = LegendLabel{};
  for (size_t i = 0; i < LegendLbl.size() && i < labels.size(); ++i) {
    QLabel* l = LegendLbl[i];
    l->setText(QString::fromStdString(labels[i].text));
    l->setStatusTip(QString::fromStdString(labels[i].hint));
    l->setToolTip(QString::fromStdString(labels[i].hint));
    l->setStyleSheet(QStringLiteral("color: %1; font-weight: bold").arg(RgbColour(labels[i].colour).name()));
  }
}

}  // namespace zorvel::ui
