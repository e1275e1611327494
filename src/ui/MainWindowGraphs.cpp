// The file graphs bound to the window: the "graph" button toggles the display between the screen
// and the graphs of the screen's time span; each file keeps its own graph type.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/pages/DisplayPage.h"
#include "ui/pages/GraphsPanel.h"

namespace zorvel::ui {

void TB::ConnectGraphControls() {
  GraphsPanel* g = DisplayOptions->Graphs;
  for (int i = 0; i < kSlotCount; ++i)
    connect(g->GraphComboBox[static_cast<size_t>(i)], &QComboBox::currentIndexChanged, this,
            [this, i](int index) {
              if (index >= 0) slots_[i + 1].GraphType = static_cast<tGraphType>(index);
            });
  connect(g->SetAllGraphsToF1Lbl, &ClickLabel::clicked, this, [this] {
    GraphsPanel* p = DisplayOptions->Graphs;
    const int first = p->GraphComboBox[0]->currentIndex();
    for (QComboBox* box : p->GraphComboBox) box->setCurrentIndex(first);
  });
  connect(g->ShowFgraphBtn, &QPushButton::clicked, this, [this] { ShowFgraphBtnClick(); });
}

void TB::ShowFgraphBtnClick() {
  if (slots_.OpenCount() == 0) return;
  if (graphsShown_) {
    graphsShown_ = false;
    display_->Nav().Refresh(true);
    Display->update();
    return;
  }
  SetMenuVisible(false);
  GraphsPanel* g = DisplayOptions->Graphs;
  for (int i = 0; i < kSlotCount; ++i)
    slots_[i + 1].GraphType =
        static_cast<tGraphType>(std::max(0, g->GraphComboBox[static_cast<size_t>(i)]->currentIndex()));
  GraphOptions o;
  o.SmoothFgraph = g->SmoothFgraph->isChecked();
  o.HideGraphText = g->HideGraphText->isChecked();
  std::string status;
  SetStopRequested(false);
  display_->ShowGraphs(o, &status);
  SetStopRequested(false);
  if (MenuLbl && !status.empty()) MenuLbl->setText(QString::fromStdString(status));
  graphsShown_ = true;
  UpdateLegend();
  Display->SetFileLabelsShown(false);
  Display->update();
}

}  // namespace zorvel::ui
