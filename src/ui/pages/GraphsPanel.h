// The file-graph controls of the Display page: the "graph" button, the per-file graph types and
// the two drawing switches.
#pragma once

#include <QWidget>
#include <array>

#include "core/FileRec.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace zorvel::ui {

class ClickLabel;

class GraphsPanel : public QWidget {
 public:
  explicit GraphsPanel(QWidget* parent = nullptr);
  QPushButton* ShowFgraphBtn = nullptr;
  QCheckBox* SmoothFgraph = nullptr;
  QCheckBox* HideGraphText = nullptr;
  std::array<QComboBox*, kSlotCount> GraphComboBox{};  // GraphComboBox1 … GraphComboBox6
  ClickLabel* SetAllGraphsToF1Lbl = nullptr;
};

}  // namespace zorvel::ui
