#include "ui/pages/SurveyPage.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <filesystem>

#include "report/Content.h"
#include "report/Figures.h"
#include "report/Messages.h"
#include "report/Report.h"
#include "report/ReportFont.h"
#include "report/Summaries.h"
#include "survey/Survey.h"
#include "ui/MainWindow.h"
#include "ui/WorkerJob.h"
#include "ui/pages/SurveyPageMessages.h"

namespace zorvel::ui {

// One of the report's figures of one deployment, drawn by the report's own code.
class SurveyFigureView : public QWidget {
 public:
  explicit SurveyFigureView(QWidget* parent) : QWidget(parent) { setMinimumSize(520, 220); }
  void Show(const report::Deployment* d, int figure) {
    deployment_ = d;
    figure_ = figure;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!deployment_) return;
    p.setFont(report::ReportFont(8, false));
    report::DrawFigure(p, QRectF(rect()).adjusted(6, 6, -6, -6), *deployment_, report::kFigures[figure_]);
  }

 private:
  const report::Deployment* deployment_ = nullptr;
  int figure_ = 0;
};

namespace {
QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton* Button(const char* text, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(text), parent);
  b->setObjectName(QString::fromUtf8(text));
  return b;
}

// The ZV2 and ZV3 files of a folder, in name order.
std::vector<std::string> DataFilesIn(const std::string& folder) {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
    std::string ext = e.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    if (e.is_regular_file(ec) && (ext == ".ZV2" || ext == ".ZV3")) out.push_back(e.path().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}
}  // namespace

SurveyPage::SurveyPage(TB& window, QWidget* parent)
    : TitledPage(QString::fromUtf8(msg::kSurveyPage), false, parent), window_(window) {
  auto* buttons = new QHBoxLayout;
  NewBtn = Button(msg::kSurveyNewBtn, this);
  OpenBtn = Button(msg::kSurveyOpenBtn, this);
  AddOpenFilesBtn = Button(msg::kSurveyAddOpenBtn, this);
  AddFolderBtn = Button(msg::kSurveyAddFolderBtn, this);
  StopBtn = Button(msg::kSurveyStopBtn, this);
  SaveReportBtn = Button(msg::kSurveySaveReportBtn, this);
  for (QPushButton* b : {NewBtn, OpenBtn, AddOpenFilesBtn, AddFolderBtn, StopBtn, SaveReportBtn})
    buttons->addWidget(b);
  buttons->addStretch();
  Body()->addLayout(buttons);
  SurveyLbl = new QLabel(QString::fromUtf8(msg::kSurveyNone), this);
  StatusLbl = new QLabel(this);
  Body()->addWidget(SurveyLbl);
  Body()->addWidget(StatusLbl);

  auto* choose = new QHBoxLayout;
  DeploymentBox = new QComboBox(this);
  DeploymentBox->setObjectName(QStringLiteral("SurveyDeploymentBox"));
  FigureBox = new QComboBox(this);
  FigureBox->setObjectName(QStringLiteral("SurveyFigureBox"));
  for (const char* f : msg::kSurveyFigures) FigureBox->addItem(QString::fromUtf8(f));
  choose->addWidget(DeploymentBox, 1);
  choose->addWidget(FigureBox);
  Body()->addLayout(choose);

  SpeciesNights = new QTableWidget(0, 6, this);
  SpeciesNights->setHorizontalHeaderLabels(
      {Q(report::msg::kAxisNight), QString::fromUtf8(msg::kSurveyColSpecies), Q(report::msg::kAxisPasses),
       QString::fromUtf8(msg::kSurveyColActivity), QString::fromUtf8(msg::kSurveyColFirst),
       QString::fromUtf8(msg::kSurveyColBuzzes)});
  SpeciesNights->verticalHeader()->hide();
  SpeciesNights->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SpeciesNights->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Figure = new SurveyFigureView(this);
  auto* split = new QHBoxLayout;
  split->addWidget(SpeciesNights, 1);
  split->addWidget(Figure, 2);
  Body()->addLayout(split, 1);

  connect(NewBtn, &QPushButton::clicked, this, [this] {
    const QString p = QFileDialog::getSaveFileName(this, QString::fromUtf8(msg::kSurveyNewBtn), QString(),
                                                   QString::fromUtf8(msg::kSurveyFilter));
    if (!p.isEmpty()) OpenSurveyFile(p);
  });
  connect(OpenBtn, &QPushButton::clicked, this, [this] {
    const QString p = QFileDialog::getOpenFileName(this, QString::fromUtf8(msg::kSurveyOpenBtn), QString(),
                                                   QString::fromUtf8(msg::kSurveyFilter));
    if (!p.isEmpty()) OpenSurveyFile(p);
  });
  connect(AddOpenFilesBtn, &QPushButton::clicked, this, [this] {
    std::vector<std::string> files;
    const FileSlots& slots = window_.Slots();
    for (int s = 1; s <= kSlotCount; ++s)
      if (slots[s].Open) files.push_back(slots[s].FullFileName);
    AddFiles(files);
  });
  connect(AddFolderBtn, &QPushButton::clicked, this, [this] {
    const QString d = QFileDialog::getExistingDirectory(this, QString::fromUtf8(msg::kSurveyAddFolderBtn));
    if (!d.isEmpty()) AddFiles(DataFilesIn(d.toStdString()));
  });
  connect(StopBtn, &QPushButton::clicked, this, [this] { window_.SetStopRequested(true); });
  connect(SaveReportBtn, &QPushButton::clicked, this, [this] {
    const QString p = QFileDialog::getSaveFileName(this, QString::fromUtf8(msg::kSurveySaveReportBtn),
                                                   QString(), QString::fromUtf8(msg::kSurveyReportFilter));
    if (!p.isEmpty()) SaveReport(p);
  });
  connect(DeploymentBox, &QComboBox::currentIndexChanged, this, [this] { ShowDeployment(); });
  connect(FigureBox, &QComboBox::currentIndexChanged, this, [this] { ShowDeployment(); });
  EnableControls(false);
}

void SurveyPage::EnableControls(bool adding) {
  const bool open = !path_.empty();
  NewBtn->setEnabled(!adding);
  OpenBtn->setEnabled(!adding);
  AddOpenFilesBtn->setEnabled(open && !adding);
  AddFolderBtn->setEnabled(open && !adding);
  SaveReportBtn->setEnabled(open && !adding);
  StopBtn->setEnabled(adding);
}

bool SurveyPage::OpenSurveyFile(const QString& path) {
  // Opening for writing makes the file when it is new and refuses one that cannot be added to.
  survey::OpenResult r = survey::OpenSurvey(path.toStdString(), survey::OpenMode::ReadWrite);
  if (!r.survey) {
    StatusLbl->setText(Q(r.message));
    return false;
  }
  path_ = path.toStdString();
  SurveyLbl->setText(path);
  StatusLbl->clear();
  Reload();
  EnableControls(false);
  return true;
}

int SurveyPage::AddFiles(const std::vector<std::string>& paths) {
  if (path_.empty()) return 0;
  if (paths.empty()) {
    StatusLbl->setText(QString::fromUtf8(msg::kSurveyNoFiles));
    return 0;
  }
  EnableControls(true);
  window_.SetBatchRunning(true);
  Host& host = window_.host();
  int added = 0;
  std::vector<std::string> problems;
  bool stopped = false;
  RunOnWorker([&] {
    survey::OpenResult r = survey::OpenSurvey(path_, survey::OpenMode::ReadWrite);
    if (!r.survey) {
      problems.push_back(r.message);
      return;
    }
    for (size_t i = 0; i < paths.size(); ++i) {
      if (host.StopRequested()) {
        stopped = true;
        break;
      }
      host.Progress(msg::kSurveyAdding, static_cast<int>(i), static_cast<int>(paths.size()));
      const survey::AddOutcome o = survey::AddFile(*r.survey, paths[i], {}, host);
      if (o.status == survey::AddStatus::Added || o.status == survey::AddStatus::Replaced) ++added;
      if (o.status == survey::AddStatus::Stopped) stopped = true;
      if (!o.message.empty()) problems.push_back(paths[i] + ": " + o.message);
      if (stopped) break;
    }
    host.Progress(msg::kSurveyAdding, static_cast<int>(paths.size()), static_cast<int>(paths.size()));
  });
  window_.SetBatchRunning(false);
  for (const std::string& p : problems) window_.AddLine(Memo::ErrorsMemo, Q(p));
  QString status = QString::number(added) + Q(zorvel::msg::kOfFiles) + QString::number(paths.size()) +
                   QString::fromUtf8(msg::kSurveyFilesAdded);
  if (stopped) status += QString::fromUtf8(msg::kSurveyStopped);
  if (!problems.empty()) status += QStringLiteral("; ") + Q(problems.front());
  StatusLbl->setText(status);
  // The window's progress line would otherwise go on saying "adding" over a full bar.
  window_.ShowProgress(status, 0, 0);
  Reload();
  EnableControls(false);
  return added;
}

bool SurveyPage::SaveReport(const QString& path) {
  const report::ReportOutcome r = report::WriteReport(data_, path.toStdString());
  StatusLbl->setText(r.ok ? QString::fromUtf8(msg::kSurveyReportSaved) + path : Q(r.message));
  return r.ok;
}

void SurveyPage::Reload() {
  data_ = {};
  if (survey::OpenResult r = survey::OpenSurvey(path_, survey::OpenMode::ReadOnly); r.survey) {
    report::LoadResult loaded =
        report::LoadReportData(r.survey->Handle(), std::filesystem::path(path_).filename().string());
    if (loaded.data) data_ = std::move(*loaded.data);
  }
  const QSignalBlocker block(DeploymentBox);
  const int keep = DeploymentBox->currentIndex();
  DeploymentBox->clear();
  for (const report::Deployment& d : data_.deployments)
    DeploymentBox->addItem(Q(report::DeploymentTitle(d) + "  " + report::DateOfMinute(d.firstMinute)));
  if (DeploymentBox->count() > 0)
    DeploymentBox->setCurrentIndex(std::clamp(keep, 0, DeploymentBox->count() - 1));
  ShowDeployment();
}

void SurveyPage::ShowDeployment() {
  const int i = DeploymentBox->currentIndex();
  const report::Deployment* d = i >= 0 && i < static_cast<int>(data_.deployments.size())
                                    ? &data_.deployments[static_cast<size_t>(i)]
                                    : nullptr;
  Figure->Show(d, std::max(0, FigureBox->currentIndex()));
  SpeciesNights->setRowCount(0);
  if (!d) return;
  SpeciesNights->setRowCount(static_cast<int>(d->speciesNights.size()));
  int row = 0;
  for (const report::SpeciesNightRow& s : d->speciesNights) {
    const QString cells[] = {Q(d->nights[s.night].date),
                             Q(report::SpeciesLabel(s.species)),
                             QString::number(s.passes),
                             QString::number(s.activityIndex),
                             s.firstAfterSunset ? QString::number(*s.firstAfterSunset, 'f', 1) : QString(),
                             QString::number(s.buzzCalls)};
    for (int c = 0; c < 6; ++c) SpeciesNights->setItem(row, c, new QTableWidgetItem(cells[c]));
    ++row;
  }
}

}  // namespace zorvel::ui
