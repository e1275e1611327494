#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "support/Synthetic.h"
#include "ui/DisplayControl.h"
#include "ui/UiTestSupport.h"

namespace zorvel::ui::test {
namespace {

TEST(Legend, FilledAtHighResolutionAndEmptyAtLow) {
  Recorder rec;
  TB window(rec.Options());
  QTemporaryDir dir;
  std::vector<zorvel::testing::SyntheticMinute> ms(2);
  for (auto& m : ms) m.records.push_back(zorvel::testing::WaveGroup(100'000, 99));
  const QString path = dir.path() + QStringLiteral("/legend.ZV1");
  ASSERT_TRUE(zorvel::testing::WriteDataFile(path.toStdString(),
                                             zorvel::testing::MakeHeader(kFirstMinute, kFirstMinute + 1), ms));
  window.resize(1000, 700);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.OpenUnrelatedFiles({path});
  ASSERT_TRUE(window.Screen().ShowLevelAt(7, ""));
  EXPECT_EQ(window.LegendLbl[0]->text(), QStringLiteral("MaxFall"));
  EXPECT_EQ(window.LegendLbl[6]->text(), QStringLiteral("nearCF"));
  EXPECT_FALSE(window.LegendLbl[0]->statusTip().isEmpty());
  ASSERT_TRUE(window.Screen().ShowLevelAt(12, ""));
  for (QLabel* l : window.LegendLbl) EXPECT_TRUE(l->text().isEmpty());
}

}  // namespace
}  // namespace zorvel::ui::test
