// No two controls of a menu page are drawn over each other, on whatever pages the menu holds,
// at the design size and on a 1920 x 1080 screen.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLayout>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ui/UiTestSupport.h"

namespace zorvel::ui::test {
namespace {

QString Describe(const QWidget* w) {
  const QString name = w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName();
  const QRect g = w->geometry();
  return QStringLiteral("%1 %2 at %3,%4 %5x%6")
      .arg(QString::fromLatin1(w->metaObject()->className()), name)
      .arg(g.x())
      .arg(g.y())
      .arg(g.width())
      .arg(g.height());
}

// Every pair of visible sibling widgets under root whose rectangles share a pixel, and every
// widget cut off by the edge of its parent (except inside a scroll area, which is made for that).
QStringList Overlaps(const QWidget* root) {
  QStringList found;
  std::vector<const QWidget*> shown;
  const bool scrolls = root->objectName() == QLatin1String("qt_scrollarea_viewport");
  for (const QObject* o : root->children()) {
    const auto* w = qobject_cast<const QWidget*>(o);
    if (!w || w->isWindow() || !w->isVisible() || w->geometry().isEmpty()) continue;
    shown.push_back(w);
    if (!scrolls && !root->rect().contains(w->geometry()))
      found << Describe(w) + QStringLiteral(" is cut off by the edge of ") + Describe(root);
  }
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t k = i + 1; k < shown.size(); ++k)
      if (shown[i]->geometry().intersects(shown[k]->geometry()))
        found << Describe(shown[i]) + QStringLiteral(" overlaps ") + Describe(shown[k]) +
                     QStringLiteral(" in ") + Describe(root);
  for (const QWidget* w : shown) found << Overlaps(w);
  return found;
}

class PageOverlapTest : public ::testing::Test {
 protected:
  PageOverlapTest() : window(rec.Options()) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Files with long names fill the labels that follow the slots.
    const QString a = WriteBusyFile(
        dir.path(), QStringLiteral("2026 06 01 ZORVEL_1234 Meadow by the old oak file0.ZV1"), 3);
    const QString b = WriteBusyFile(dir.path(), QStringLiteral("2026 06 02 ZORVEL_1234 Hedge file0.ZV1"), 3);
    window.OpenUnrelatedFiles({a, b});
    EXPECT_EQ(window.Slots().OpenCount(), 2);
    window.SetMenuVisible(true);
  }
  // Shows every page in turn and lists what overlaps on it.
  QStringList OverlapsOnEveryPage() {
    QStringList found;
    for (int i = 0; i < window.pp->count(); ++i) {
      window.ShowPage(i);
      QCoreApplication::processEvents();
      QWidget* page = window.pp->widget(i);
      if (page->layout()) page->layout()->activate();
      EXPECT_TRUE(page->isVisible()) << window.pp->tabText(i).toStdString();
      // A page that needs more room than the menu gives it squeezes its controls together.
      if (page->layout() && (page->layout()->minimumSize().width() > page->width() ||
                             page->layout()->minimumSize().height() > page->height()))
        found << window.pp->tabText(i) + QStringLiteral(": needs %1x%2 but has %3x%4")
                                             .arg(page->layout()->minimumSize().width())
                                             .arg(page->layout()->minimumSize().height())
                                             .arg(page->width())
                                             .arg(page->height());
      for (const QString& o : Overlaps(page)) found << window.pp->tabText(i) + QStringLiteral(": ") + o;
    }
    return found;
  }

  QTemporaryDir dir;
  Recorder rec;
  TB window;
};

TEST_F(PageOverlapTest, NoControlsOverlapAtTheDesignSize) {
  window.resize(TB::kDesignWidth, TB::kDesignHeight);
  EXPECT_EQ(OverlapsOnEveryPage().join(QLatin1Char('\n')).toStdString(), "");
}

TEST_F(PageOverlapTest, NoControlsOverlapOnAFullHdScreen) {
  window.resize(1920, 1080);
  EXPECT_EQ(OverlapsOnEveryPage().join(QLatin1Char('\n')).toStdString(), "");
}

// The walker itself: two buttons put on one spot are found, side by side they are not.
TEST(PageOverlapWalker, FindsSiblingsOnOneSpotOnly) {
  QWidget root;
  QWidget inner(&root);
  inner.setGeometry(0, 0, 200, 100);
  QWidget a(&inner), b(&inner);
  a.setGeometry(10, 10, 50, 20);
  b.setGeometry(70, 10, 50, 20);
  root.show();
  EXPECT_TRUE(Overlaps(&root).isEmpty());
  b.move(40, 20);
  EXPECT_EQ(Overlaps(&root).size(), 1);
  b.hide();
  EXPECT_TRUE(Overlaps(&root).isEmpty());
  a.move(180, 10);
  EXPECT_EQ(Overlaps(&root).size(), 1) << "a sticks out of its parent";
}

}  // namespace
}  // namespace zorvel::ui::test
