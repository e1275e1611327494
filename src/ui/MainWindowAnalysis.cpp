// "Analyze": the results summary of the file chosen on the Analysis page.
#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "core/MinuteMap.h"
#include "display/Messages.h"
#include "display/ResultsSummary.h"
#include "ui/DisplayControl.h"
#include "ui/MainWindow.h"
#include "ui/pages/AnalysisPage.h"

namespace zorvel::ui {

void TB::ConnectAnalysisControls() {
  connect(Analysis->ReCalcBtn, &QPushButton::clicked, this, [this] { ReCalcBtnClick(); });
}

void TB::ReCalcBtnClick() {
  const int slot = Analysis->ChosenSlot();
  TFileRec& s = slots_[slot];
  if (!s.Open || (s.FileType != ftZV1 && s.FileType != ftZV2 && s.FileType != ftZV3)) return;
  Analysis->ReCalcBtn->setEnabled(false);
  if (MenuLbl) MenuLbl->setText(QString::fromStdString(std::string(zorvel::msg::kAnalysing) + s.ShortName));
  QCoreApplication::processEvents();
  ReaderContext& reader = display_->Reader();
  const ViewState& v = display_->View();
  const SummaryTotals t = AnalyzeSlot(slots_, slot, v.RangeFirstMin, v.RangeLastMin, reader);
  std::error_code ec;
  const auto bytes = std::filesystem::file_size(s.FullFileName, ec);
  const SummaryTexts x = MakeSummaryTexts(t, ec ? 0 : static_cast<int64_t>(bytes), "");
  Analysis->Show(t, x, QString());
  for (const std::string& line : x.memo) AnalysisMemo->appendPlainText(QString::fromStdString(line));
  if (MenuLbl)
    MenuLbl->setText(QString::fromUtf8(zorvel::msg::kResultsInGraphs.data(),
                                       static_cast<qsizetype>(zorvel::msg::kResultsInGraphs.size())));
  Analysis->ReCalcBtn->setEnabled(true);
  // The summary moved the slot; the display continues from the end of its screen.
  if (display_->HasScreen()) MoveAllFilePosn(slots_, display_->View().DisplayPosition, reader, false);
}

}  // namespace zorvel::ui
