#include "ui/UiTestSupport.h"

#include <QCursor>
#include <QDir>
#include <QTest>

#include "core/Header.h"
#include "core/ZvWriter.h"
#include "support/Synthetic.h"
#include "ui/DisplayArea.h"
#include "ui/DisplayControl.h"

namespace zorvel::ui::test {

StartupOptions Recorder::Options(QStringList parameters) {
  StartupOptions o;
  o.parameters = std::move(parameters);
  o.hooks.timedMessage = [this](const QString& text, int ms) { timed.emplace_back(text, ms); };
  o.hooks.showMessage = [this](const QString& text) { shown << text; };
  o.hooks.ask = [this](const QString& question, Buttons) {
    asked << question;
    return answer;
  };
  o.hooks.openFiles = [this](const QString& title, const QString& proposed, bool multiple) {
    openTitle = title;
    proposedName = proposed;
    openMultiple = multiple;
    return toOpen;
  };
  o.hooks.saveFile = [this](const QString& title, const QString&, const QString&) {
    saveTitle = title;
    return savePath;
  };
  return o;
}

bool Recorder::TimedContains(const QString& text) const {
  for (const auto& [t, ms] : timed)
    if (t == text) return true;
  return false;
}

QString WriteDataFile(const QString& dir, const QString& name, int minutes) {
  const QString path = QDir(dir).filePath(name);
  HeaderBytes h{};
  PutHeaderInt32(h, hdr::kFirstLoggedMin, kFirstMinute);
  PutHeaderInt32(h, hdr::kLastLoggedMin, kFirstMinute + minutes - 1);
  h[hdr::kMarker1] = 0xFE;
  h[hdr::kMarker2] = 0xFE;
  ZvFileWriter w(path.toStdString(), h);
  MinuteValues v;
  v.MinON = true;
  for (int m = 0; m < minutes; ++m) w.Append(EncodeMinuteRecord(v));
  if (!w.Finish()) return {};
  return path;
}

QString WriteBusyFile(const QString& dir, const QString& name, int minutes, int groups) {
  std::vector<zorvel::testing::SyntheticMinute> ms(static_cast<size_t>(minutes));
  for (auto& m : ms) {
    m.values.MinON = true;
    for (int k = 0; k < groups; ++k)
      m.records.push_back(
          zorvel::testing::WaveGroup(50'000 + k * (11'000'000 / groups), static_cast<uint8_t>(60 + k % 80)));
  }
  const QString path = QDir(dir).filePath(name);
  if (!zorvel::testing::WriteDataFile(
          path.toStdString(), zorvel::testing::MakeHeader(kFirstMinute, kFirstMinute + minutes - 1), ms))
    return {};
  return path;
}

bool ShowBusyFileAtLevel7(TB& window, const QString& dir, const QString& name) {
  std::vector<zorvel::testing::SyntheticMinute> ms(3);
  for (auto& m : ms) {
    m.values.MinON = true;
    for (int k = 0; k < 120; ++k) m.records.push_back(zorvel::testing::WaveGroup(50'000 + k * 100'000, 99));
  }
  const QString path = QDir(dir).filePath(name);
  if (!zorvel::testing::WriteDataFile(path.toStdString(), zorvel::testing::MakeHeader(kFirstMinute, kFirstMinute + 2),
                                      ms))
    return false;
  window.resize(1000, 700);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return false;
  window.OpenUnrelatedFiles({path});
  window.SetMenuVisible(false);
  if (!window.Screen().ShowLevelAt(7, "")) return false;
  QCursor::setPos(window.Display->mapToGlobal(window.Display->rect().center()));
  return true;
}

}  // namespace zorvel::ui::test
