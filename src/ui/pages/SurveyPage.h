// "Survey": create or open a survey file, add the open files or a folder of ZV2/ZV3 files to it
// (on the worker thread, with progress and Stop), see its species-nights and the report's figures,
// and save the report.
#pragma once

#include <string>
#include <vector>

#include "report/ReportData.h"
#include "ui/pages/TitledPage.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zorvel::ui {

class TB;
class SurveyFigureView;

class SurveyPage : public TitledPage {
 public:
  SurveyPage(TB& window, QWidget* parent = nullptr);

  // What the buttons do after their dialogs; false (with the reason in StatusLbl) on failure.
  bool OpenSurveyFile(const QString& path);
  // Adds the files one by one on the worker thread; returns how many were added or replaced.
  int AddFiles(const std::vector<std::string>& paths);
  bool SaveReport(const QString& path);
  const report::ReportData& Data() const { return data_; }

  QPushButton* NewBtn = nullptr;
  QPushButton* OpenBtn = nullptr;
  QPushButton* AddOpenFilesBtn = nullptr;
  QPushButton* AddFolderBtn = nullptr;
  QPushButton* StopBtn = nullptr;
  QPushButton* SaveReportBtn = nullptr;
  QLabel* SurveyLbl = nullptr;
  QLabel* StatusLbl = nullptr;
  QComboBox* DeploymentBox = nullptr;
  QComboBox* FigureBox = nullptr;
  QTableWidget* SpeciesNights = nullptr;
  SurveyFigureView* Figure = nullptr;

 private:
  void Reload();
  void ShowDeployment();
  void EnableControls(bool adding);

  TB& window_;
  std::string path_;
  report::ReportData data_;
};

}  // namespace zorvel::ui
