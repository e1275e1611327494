// The Process page's handlers: call finding over a batch of ZV1 files on a worker thread (the
// window stays live and Stop ends the batch between files), the developer parameters window and
// administrator mode.
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <thread>

#include "callfinder/Batch.h"
#include "callfinder/KeepAwake.h"
#include "callfinder/Messages.h"
#include "filters/Messages.h"
#include "ui/ClassifierGraph.h"
#include "ui/ClickLabel.h"
#include "ui/DeveloperWindow.h"
#include "ui/MainWindow.h"
#include "ui/WorkerJob.h"
#include "ui/Messages.h"
#include "ui/pages/GetDataPage.h"
#include "ui/pages/NavigationPage.h"
#include "ui/pages/ProcessPage.h"

namespace zorvel::ui {

namespace {

constexpr int kNoFilesMs = 2000;
constexpr int kNoticeMs = 3000;

QString S(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// Carries the run's progress over to the window's thread.
class WindowObserver : public BatchObserver {
 public:
  WindowObserver(TB& window, bool graphs) : window_(window), graphs_(graphs) {}
  void FileStarted(int i, int n, const std::string&) override {
    Post([w = &window_, i, n] {
      const QString text = S(cfmsg::kFilePrefix) + QString::number(i) + S(cfmsg::kOf) + QString::number(n);
      w->BigLbl->setText(text);
      if (i == 1) w->setWindowTitle(S(cfmsg::kTitleFilePrefix) + QString::number(1) + S(cfmsg::kOf) + QString::number(n));
    });
  }
  void EndEstimate(std::string_view status) override {
    Post([w = &window_, text = S(status)] { w->ProcessP->SourceLine1Lbl->setText(text); });
  }
  void GraphMark(const cf::GraphMark& m) override {
    Post([w = &window_, m] { w->ProcessP->Graph->AddMark(m.minuteOfDay, m.Fav); });
  }
  bool WantsGraphMarks() const override { return graphs_; }

 private:
  void Post(std::function<void()> f) { QMetaObject::invokeMethod(&window_, std::move(f), Qt::QueuedConnection); }
  TB& window_;
  bool graphs_;
};

}  // namespace

void TB::ConnectProcessControls() {
  DevF = new TDevF(this);
  ProcessPage* p = ProcessP;
  connect(p->FindCallsInBatchBtn, &QPushButton::clicked, this, &TB::FindCallsInBatchBtnClick);
  connect(p->RetainSpN1, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) return;
    TimedMessage(QString::fromLatin1(msg::kNotYetAvailable), kNoticeMs);
    ProcessP->RetainSpN1->setChecked(false);
  });
  for (QPushButton* b : {p->ExportToOtherClassifierBtn, p->ImportFromClassifierBtn})
    connect(b, &QPushButton::clicked, this, [this] { ShowMessage(QString::fromLatin1(msg::kNotYetImplemented)); });
  connect(GetData->ProcessZV1fileListBtn, &QPushButton::clicked, this, &TB::ProcessZV1fileListBtnClick);
  connect(Navigation->NavigationImage, &ClickLabel::doubleClicked, this, &TB::NavigationImageDblClick);
  connect(DevF->JunkYardLbl, &ClickLabel::clicked, this, &TB::JunkYardLblClick);
  // The TempParam range starts at 0 … 0 and follows these edits once they change; text that is
  // not a whole number is refused and the value stays.
  auto tempParam = [this](QLineEdit* edit, int32_t& value) {
    connect(edit, &QLineEdit::textChanged, this, [this, &value](const QString& text) {
      if (const auto v = ParseWholeNumber(text.toStdString())) {
        value = *v;
      } else {
        TimedMessage(QStringLiteral("'") + text + S(zorvel::msg::kNotAWholeNumber), kNoticeMs);
      }
    });
  };
  tempParam(DevF->MinTempParamEdit, filters_.MinTempParam);
  tempParam(DevF->MaxTempParamEdit, filters_.MaxTempParam);
}

void TB::ProcessZV1fileListBtnClick() {
  SetMenuVisible(true);
  ShowPage(msg::kProcessPage);
}

void TB::NavigationImageDblClick() {
  SetAdministratorMode(!AdministratorMode());
  if (AdministratorMode()) DevF->show();
}

void TB::JunkYardLblClick() {
  SetAdministratorMode(false);
  DevF->hide();
}

ReaderOptions TB::DeveloperReaderOptions() const {
  ReaderOptions o;
  o.ForceExtendedIPIs = DevF->ForceExtendedIPIs->isChecked();
  o.ForceExtendedSPL = DevF->ForceExtendedSPL->isChecked();
  o.ShowTimingMessages = DevF->ShowTimingMessages->isChecked();
  o.ExportTimeStamps = DevF->ExportTimeStamps->isChecked();
  o.IgnoreFilters = filters_.IgnoreFilters;
  return o;
}

void TB::FindCallsInBatchBtnClick() {
  if (batchRunning_) return;
  const QStringList chosen = ChooseFiles(S(cfmsg::kOpenDialogTitle), QString::fromLatin1(msg::kZv1FileFilter), true);
  if (chosen.isEmpty()) {
    TimedMessage(S(cfmsg::kNoFilesSelected), kNoFilesMs);
    return;
  }
  RunCallFinding(chosen);
}

void TB::RunCallFinding(const QStringList& files) {
  if (files.isEmpty()) {
    TimedMessage(S(cfmsg::kNoFilesFound), kNoFilesMs);
    return;
  }
  ProcessPage* p = ProcessP;
  BatchOptions options;
  DevF->ReadInto(options.settings);
  options.settings.FindBuzzes = p->FindBuzzes->isChecked();
  options.settings.Classifier =
      p->SpClassifierGroup.Index() == msg::kZorvelEU1Item ? SpClassifier::ZorvelEU1 : SpClassifier::British0;
  options.settings.UseNoiseReduction = p->UseNoiseReductionProcess->isChecked();
  options.settings.ExportToClassifier = p->ExportToClassifier->isChecked();
  options.settings.ExportLabel = p->SpForClassifierEdit->text().toStdString();
  options.SkipIfZV2exists = p->SkipIfZV2exists->isChecked();
  options.ShowDetectionSummary = p->ShowDetectionSummary->isChecked();
  std::vector<std::string> list;
  for (const QString& f : files) list.push_back(f.toStdString());

  // The batch opens its own slot; what is on screen is closed first, as the run has always done.
  p->FindCallsInBatchBtn->setEnabled(false);
  CloseAllFilesBtnClick();
  p->SourceLine1Lbl->clear();
  p->SourceLine2Lbl->clear();
  if (p->ShowClassifierGraphs->isChecked()) p->Graph->Clear();
  SetBatchRunning(true);
  WindowObserver observer(*this, p->ShowClassifierGraphs->isChecked());
  std::unique_ptr<KeepAwake> keepAwake = MakeSystemKeepAwake();
  BatchResult result;
  RunOnWorker([&] { result = RunCallFindingBatch(list, options, host(), *keepAwake, &observer); });
  SetBatchRunning(false);
  p->FindCallsInBatchBtn->setEnabled(true);
  p->SourceLine1Lbl->setText(QString::fromStdString(result.statusLine1));
  p->SourceLine2Lbl->setText(QString::fromStdString(result.statusLine2));
  BigLbl->setText(S(cfmsg::kFileProcessingCompleted));
  setWindowTitle(S(cfmsg::kFileProcessingCompleted));
}

}  // namespace zorvel::ui
