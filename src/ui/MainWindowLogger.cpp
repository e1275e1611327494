// The Settings page's handlers that leave the page: writing the logger's two set-up files through
// the save dialog, opening the web clock, and the ZV1 size limit the import reads. The waits after
// writing (the buttons read "wait ..." for 5 seconds) let the card settle before it is pulled out;
// they run on a timer, so the window stays live meanwhile.
#include <QDate>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "core/TimeBase.h"
#include "logger/Messages.h"
#include "logger/SetupFiles.h"
#include "ui/MainWindow.h"
#include "ui/pages/SettingsPage.h"

namespace zorvel::ui {

namespace {

constexpr int kSettleMs = 5000;

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "caption|pattern|caption|pattern" (the engine's filter lists) as Qt's "caption (pattern);;…".
// A list already in Qt's form is kept.
QStringList QtFilters(const QString& filter) {
  if (!filter.contains(QLatin1Char('|'))) return filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    out << parts[i].trimmed() + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  return out;
}

// Today as the program's short date (d/m/yyyy).
std::string TodayText() {
  const QDate d = QDate::currentDate();
  const auto mn = MinuteNumber(d.year(), d.month(), d.day(), 0, 0);
  return mn ? ShortDateText(*mn) : std::string();
}

// Shows caption "wait ..." on the button, then after the settling time the given caption.
void SettleThen(QPushButton* button, std::string_view after) {
  button->setText(Q(logger::msg::kWaitCaption));
  QTimer::singleShot(kSettleMs, button, [button, text = Q(after)] { button->setText(text); });
}

}  // namespace

std::optional<QString> TB::ChooseSavePath(const QString& dialogName, const SaveRequest& request,
                                          int selectedFilter) {
  const QString title = QString::fromStdString(request.title);
  const QString proposed = QString::fromStdString(request.proposedPath);
  if (options_.hooks.saveFile) {
    const QString path = options_.hooks.saveFile(title, proposed, QString::fromStdString(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
  }
  QFileDialog dialog(this, title, proposed);
  dialog.setObjectName(dialogName);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList filters = QtFilters(QString::fromStdString(request.filter));
  dialog.setNameFilters(filters);
  if (selectedFilter >= 0 && selectedFilter < filters.size())
    dialog.selectNameFilter(filters[selectedFilter]);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

void TB::ConnectLoggerControls() {
  connect(Settings, &SettingsPage::Problem, this, &TB::ShowMessage);
  connect(Settings->WriteSettingsFileBtn, &QPushButton::clicked, this, &TB::WriteSettingsFileBtnClick);
  connect(Settings->CreateClockSetSDBtn, &QPushButton::clicked, this, &TB::CreateClockSetSDBtnClick);
  connect(Settings->ShowWebTimeBtn, &QPushButton::clicked, this, &TB::ShowWebTimeBtnClick);
}

int TB::Zv1SizeLimitGB() const {
  return Settings->Model().ZV1SizeLimitGB();
}

void TB::WriteSettingsFileBtnClick() {
  // Both writers show the operation-settings entry of the filter list first.
  const auto path = ChooseSavePath(QStringLiteral("SaveSettingsDialog"), logger::SettingsSaveRequest(), 1);
  if (!path) return;
  QPushButton* button = Settings->WriteSettingsFileBtn;
  const QString before = button->text();
  button->setText(Q(logger::msg::kWaitCaption));
  const bool written =
      logger::WriteSettingsFile(Settings->Model().Values(), path->toStdString(), TodayText(), host());
  Settings->PullFromModel();  // the default name became "Created on …"
  if (written) {
    SettleThen(button, logger::msg::kWriteSettingsCaptionAfter);
  } else {
    button->setText(before);
  }
}

void TB::CreateClockSetSDBtnClick() {
  logger::LoggerSettings& v = Settings->Model().Values();
  const SaveRequest request = logger::ClockSaveRequest(v);
  Settings->PullFromModel();  // the padded fields, as the title shows them
  const auto path = ChooseSavePath(QStringLiteral("SaveClockDialog"), request, 1);
  const std::optional<std::string> chosen = path ? std::optional(path->toStdString()) : std::nullopt;
  const auto label = logger::WriteClockFile(v, chosen, host());
  if (!label) return;
  Settings->TimefileLbl->setText(QString::fromStdString(*label));
  SettleThen(Settings->CreateClockSetSDBtn, logger::msg::kCreateClockCaption);
}

void TB::ShowWebTimeBtnClick() {
  const QUrl url(Q(logger::msg::kWebTimeAddress));
  if (options_.hooks.openUrl) {
    options_.hooks.openUrl(url);
    return;
  }
  QDesktopServices::openUrl(url);
}

}  // namespace zorvel::ui
