// The Files/Filters page's handlers: every edit and switch is bound to the window's filter
// values, which the record reader applies through ReaderFilter().
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

#include "core/SlotFiles.h"
#include "filters/FilterActions.h"
#include "filters/Messages.h"
#include "settings/Messages.h"
#include "settings/SettingsFiles.h"
#include "ui/ClickLabel.h"
#include "ui/DisplayArea.h"
#include "ui/FilterEdit.h"
#include "ui/MainWindow.h"
#include "ui/Messages.h"
#include "ui/pages/ExportPage.h"
#include "ui/pages/FiltersPage.h"

namespace zorvel::ui {

namespace {

constexpr int kMinuteEditMessageMs = 3000;

QString S(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// "Name|*.x|Other|*.*" as Qt writes it: "Name (*.x);;Other (*.*)".
QString QtFilter(std::string_view filter) {
  const QStringList parts = S(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i].trimmed() + QStringLiteral(" (") + parts[i + 1] + ")";
  return out.join(QStringLiteral(";;"));
}

void ShowThreeWay(ClickLabel* label, const ThreeWay& w, const std::string_view (&captions)[3]) {
  label->setText(S(captions[w.state]));
  // A light chip behind the label keeps the dark green of the first state readable on the panel.
  label->setStyleSheet(w.state == 0 ? QStringLiteral("color: rgb(40, 90, 0); background: rgb(226, 232, 226)")
                                    : QStringLiteral("color: red; background: rgb(226, 232, 226)"));
}

void SetTextQuietly(QLineEdit* e, const std::string& text) {
  const QSignalBlocker block(e);
  e->setText(QString::fromStdString(text));
}

void SetCheckedQuietly(QCheckBox* c, bool on) {
  const QSignalBlocker block(c);
  c->setChecked(on);
}

}  // namespace

void TB::ConnectFilterControls() {
  FiltersPage* p = FiltersP;
  for (int i = 0; i < kRangeEditCount; ++i) {
    const auto e = static_cast<RangeEdit>(i);
    FilterEdit* edit = p->RangeEdits[static_cast<size_t>(i)];
    connect(edit, &QLineEdit::textChanged, this, [this, e](const QString& t) {
      filters_.ranges.SetText(e, t.toStdString());
      UpdateFilterSummary();
    });
    connect(edit, &FilterEdit::doubleClicked, this, [edit, e] { edit->setText(S(InfoOf(e).resetText)); });
  }
  for (size_t i = 0; i < p->MinuteEdits.size(); ++i) {
    const auto e = static_cast<MinuteEdit>(i);
    FilterEdit* edit = p->MinuteEdits[i];
    auto apply = [this, e, edit](const std::string& text) {
      const std::string message = filters_.minutes.SetText(e, text);
      if (!message.empty()) TimedMessage(QString::fromStdString(message), kMinuteEditMessageMs);
      if (edit->text().toStdString() != filters_.minutes.Text(e)) SetTextQuietly(edit, filters_.minutes.Text(e));
    };
    connect(edit, &QLineEdit::textChanged, this, [apply](const QString& t) { apply(t.toStdString()); });
    connect(edit, &FilterEdit::doubleClicked, this, [apply, e] { apply(std::string(InfoOf(e).initialText)); });
  }
  auto bindCheck = [this](QCheckBox* box, bool& value) {
    connect(box, &QCheckBox::toggled, this, [this, &value](bool on) {
      value = on;
      UpdateFilterSummary();
    });
  };
  bindCheck(p->CFchk, filters_.CFchk);
  bindCheck(p->QCFchk, filters_.QCFchk);
  bindCheck(p->FMchk, filters_.FMchk);
  bindCheck(p->noSpChk, filters_.noSpChk);
  bindCheck(p->IncludeFragments, filters_.IncludeFragments);
  bindCheck(p->CallHasThirdHarmonic, filters_.CallHasThirdHarmonic);
  bindCheck(p->NoPoorSpecies, species_.NoPoorSpecies);
  bindCheck(p->FilterSpN1, species_.FilterSpN1);
  bindCheck(p->FilterSpN2, species_.FilterSpN2);
  bindCheck(p->FilterSpN3, species_.FilterSpN3);

  connect(p->BzFilterLbl, &ClickLabel::clicked, this, [this] {
    filters_.Buzz.Click();
    ShowThreeWay(FiltersP->BzFilterLbl, filters_.Buzz, zorvel::msg::kBuzzStates);
  });
  connect(p->MarkFilterLbl, &ClickLabel::clicked, this, [this] {
    filters_.Mark.Click();
    ShowThreeWay(FiltersP->MarkFilterLbl, filters_.Mark, zorvel::msg::kMarkStates);
  });
  connect(p->SocialCallFilterLbl, &ClickLabel::clicked, this, [this] {
    filters_.SocialCall.Click();
    ShowThreeWay(FiltersP->SocialCallFilterLbl, filters_.SocialCall, zorvel::msg::kSocialStates);
  });

  connect(p->SeqEdit, &QLineEdit::editingFinished, this, [this] {
    filters_.sequence.Seq = FiltersP->SeqEdit->text().toStdString();
    filters_.sequence.Seq2 = FiltersP->Seq2Edit->text().toStdString();
    filters_.sequence.SeqEditExit();
    ShowFilterValues();
  });
  connect(p->Seq2Edit, &QLineEdit::editingFinished, this, [this] {
    filters_.sequence.Seq = FiltersP->SeqEdit->text().toStdString();
    filters_.sequence.Seq2 = FiltersP->Seq2Edit->text().toStdString();
    filters_.sequence.Seq2EditExit();
    ShowFilterValues();
  });
  for (FilterEdit* e : {p->SeqEdit, p->Seq2Edit}) {
    connect(e, &FilterEdit::doubleClicked, this, [this] {
      filters_.sequence.SeqEditDblClick();
      ShowFilterValues();
    });
  }

  connect(p->SpList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    species_.SetChecked(FiltersP->SpList->row(item), item->checkState() == Qt::Checked);
  });
  connect(p->SetAllSpeciesTrueLbl, &ClickLabel::clicked, this, [this] {
    species_.SetAll(true);
    ShowFilterValues();
  });
  connect(p->SetAllSpeciesFalseLbl, &ClickLabel::clicked, this, [this] {
    species_.SetAll(false);
    ShowFilterValues();
  });
  connect(p->SaveSpNumbersLbl, &ClickLabel::clicked, this, [this] { species_.SetSpNumbersFromList(); });
  connect(p->RestoreSpLbl, &ClickLabel::clicked, this, [this] {
    species_.ApplySpNumbersToList();
    ShowFilterValues();
  });
  connect(p->UseSpList, &QCheckBox::toggled, this, [this](bool on) {
    species_.UseSpListClick(SpeciesListModel::Sender::UseSpList, on);
    ShowFilterValues();
  });

  connect(p->ClearOctAndCallFiltersBtn, &QPushButton::clicked, this, &TB::ClearOctAndCallFiltersBtnClick);
  connect(p->ClearHourAndLightFilters, &QPushButton::clicked, this, &TB::ClearHourAndLightFiltersClick);
  connect(p->IgnoreFilters, &QCheckBox::toggled, this, &TB::IgnoreFiltersClick);
  connect(p->IgnoreFiltersLbl, &ClickLabel::clicked, this, [this] { FiltersP->IgnoreFilters->toggle(); });
  auto* f4 = new QShortcut(QKeySequence(Qt::Key_F4), this);
  connect(f4, &QShortcut::activated, this, &TB::F4Pressed);
  connect(p->MarkSelectedCallsBtn, &QPushButton::clicked, this, [this] { MarkSelectedCallsBtnClick(true); });
  connect(p->RemoveMarksBtn, &QPushButton::clicked, this, [this] { MarkSelectedCallsBtnClick(false); });
  connect(p->SaveFilterSettingsBtn, &QPushButton::clicked, this, &TB::SaveFilterSettingsBtnClick);
  connect(p->LoadFilterSettingsBtn, &QPushButton::clicked, this, &TB::LoadFilterSettingsBtnClick);
  connect(p->SaveExportSettingsBtn, &QPushButton::clicked, this, &TB::SaveExportSettingsBtnClick);
  connect(p->LoadExportSettingsBtn, &QPushButton::clicked, this, &TB::LoadExportSettingsBtnClick);
  IgnoreFiltersClick(false);
}

void TB::UpdateFilterSummary() {
  ExportP->ExportClkFilterLbl->setText(QString::fromStdString(FilterSummary(filters_)));
  ExportP->ExportTrnFilterLbl->clear();
}

void TB::IgnoreFiltersClick(bool checked) {
  filters_.IgnoreFilters = checked;
  QLabel* label = FiltersP->IgnoreFiltersLbl;
  if (checked) {
    label->setStyleSheet(QStringLiteral("color: red; font-weight: bold; background: cyan"));
  } else {
    label->setStyleSheet(QStringLiteral("color: black; font-weight: normal; background: rgb(192, 220, 192)"));
  }
  ShowFilterValues();
}

void TB::F4Pressed() {
  FiltersP->IgnoreFilters->toggle();
  if (MenuVisible()) SetMenuVisible(false);
  Display->update();
}

void TB::ClearOctAndCallFiltersBtnClick() {
  ClearOctAndCallFilters(filters_);
  ShowFilterValues();
}

void TB::ClearHourAndLightFiltersClick() {
  filters_.minutes.ClearHourAndLightFilters();
  ShowFilterValues();
}

void TB::ShowFilterValues() {
  FiltersPage* p = FiltersP;
  for (int i = 0; i < kRangeEditCount; ++i)
    SetTextQuietly(p->RangeEdits[static_cast<size_t>(i)], filters_.ranges.Text(static_cast<RangeEdit>(i)));
  for (size_t i = 0; i < p->MinuteEdits.size(); ++i)
    SetTextQuietly(p->MinuteEdits[i], filters_.minutes.Text(static_cast<MinuteEdit>(i)));
  SetCheckedQuietly(p->CFchk, filters_.CFchk);
  SetCheckedQuietly(p->QCFchk, filters_.QCFchk);
  SetCheckedQuietly(p->FMchk, filters_.FMchk);
  SetCheckedQuietly(p->noSpChk, filters_.noSpChk);
  SetCheckedQuietly(p->IncludeFragments, filters_.IncludeFragments);
  SetCheckedQuietly(p->CallHasThirdHarmonic, filters_.CallHasThirdHarmonic);
  SetCheckedQuietly(p->IgnoreFilters, filters_.IgnoreFilters);
  SetCheckedQuietly(p->UseSpList, species_.UseSpList());
  SetCheckedQuietly(p->NoPoorSpecies, species_.NoPoorSpecies);
  SetCheckedQuietly(p->FilterSpN1, species_.FilterSpN1);
  SetCheckedQuietly(p->FilterSpN2, species_.FilterSpN2);
  SetCheckedQuietly(p->FilterSpN3, species_.FilterSpN3);
  SetTextQuietly(p->SeqEdit, filters_.sequence.Seq);
  SetTextQuietly(p->Seq2Edit, filters_.sequence.Seq2);
  ShowThreeWay(p->BzFilterLbl, filters_.Buzz, zorvel::msg::kBuzzStates);
  ShowThreeWay(p->MarkFilterLbl, filters_.Mark, zorvel::msg::kMarkStates);
  ShowThreeWay(p->SocialCallFilterLbl, filters_.SocialCall, zorvel::msg::kSocialStates);
  {
    const QSignalBlocker block(p->SpList);
    for (int i = 0; i < p->SpList->count(); ++i)
      p->SpList->item(i)->setCheckState(species_.Checked(i) ? Qt::Checked : Qt::Unchecked);
  }
  // The species list and the call-type boxes are alternatives; ignoring filters greys both.
  p->SpList->setEnabled(species_.SpListEnabled());
  const bool classesOn = species_.CallTypeBoxesEnabled() && !filters_.IgnoreFilters;
  for (QCheckBox* c : {p->CFchk, p->QCFchk, p->FMchk, p->noSpChk}) c->setEnabled(classesOn);
  UpdateFilterSummary();
}

void TB::MarkSelectedCallsBtnClick(bool mark) {
  MarkSelectedCalls(slots_, actionSlot_, mark, readerFilter_, filters_.IgnoreFilters, host());
  Display->update();
}

std::optional<std::string> TB::ChooseSettingsFile(bool save, std::string_view title, std::string_view filter) {
  const QString t = S(title), f = QtFilter(filter);
  QString chosen;
  if (save) {
    chosen = options_.hooks.saveFile ? options_.hooks.saveFile(t, QString(), f)
                                     : QFileDialog::getSaveFileName(this, t, QString(), f);
  } else {
    const QStringList list = ChooseFiles(t, f, false);
    if (!list.isEmpty()) chosen = list.front();
  }
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

void TB::SaveFilterSettingsBtnClick() {
  const auto chosen = ChooseSettingsFile(true, zorvel::msg::kSaveFilterTitle, zorvel::msg::kSaveFilterFilter);
  DisplayPlace place;
  place.FileNameAndPath = slots_[1].Open ? slots_[1].FullFileName : std::string();
  SaveFilterSettings(chosen, place, filters_, species_, host());
}

void TB::LoadFilterSettingsBtnClick() {
  if (batchRunning_) return;
  const auto chosen = ChooseSettingsFile(false, zorvel::msg::kLoadFilterTitle, zorvel::msg::kLoadFilterFilter);
  const std::string slot1 = slots_[1].Open ? slots_[1].FullFileName : std::string();
  const FilterLoadOutcome out = LoadFilterSettings(chosen, slot1, batchRunning_, filters_, species_, host());
  ShowFilterValues();
  if (out.reopenPath) {
    CloseAllFilesBtnClick();
    OpenFileSet(QString::fromStdString(*out.reopenPath));
  }
}

void TB::SaveExportSettingsBtnClick() {
  const auto chosen = ChooseSettingsFile(true, zorvel::msg::kSaveExportTitle, zorvel::msg::kSaveExportFilter);
  SaveExportSettings(chosen, filters_, exportOptions_, species_, host());
}

void TB::LoadExportSettingsBtnClick() {
  if (batchRunning_) return;
  const auto chosen = ChooseSettingsFile(false, zorvel::msg::kLoadExportTitle, zorvel::msg::kLoadExportFilter);
  LoadExportSettings(chosen, filters_, exportOptions_, species_, host());
  ShowFilterValues();
  ShowExportChoices();
}

}  // namespace zorvel::ui
