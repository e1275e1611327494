// Shared pieces of the window tests: dialogs answered by the test, and small data files.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "ui/MainWindow.h"

namespace zorvel::ui::test {

// Records what the window shows and answers its questions as told.
struct Recorder {
  std::vector<std::pair<QString, int>> timed;
  QStringList shown;
  QStringList asked;
  Answer answer = Answer::No;
  QStringList toOpen;
  QString openTitle, proposedName;
  bool openMultiple = false;
  QString savePath;  // empty: the save dialog is cancelled
  QString saveTitle;

  StartupOptions Options(QStringList parameters = {});
  bool TimedContains(const QString& text) const;
};

// A small ZV1 or ZV2 file: header, `minutes` minute records and the end record.
QString WriteDataFile(const QString& dir, const QString& name, int minutes = 2);

// `minutes` minutes from kFirstMinute, each with `groups` wave groups spread over it.
QString WriteBusyFile(const QString& dir, const QString& name, int minutes, int groups = 40);

// Three minutes with a wave group every half second, opened in a shown window with the menu
// hidden, at level 7, and the pointer over the display (display keys count only there).
// Returns false when something of that failed.
bool ShowBusyFileAtLevel7(TB& window, const QString& dir, const QString& name);

constexpr int kFirstMinute = 46'000 * 1440;

}  // namespace zorvel::ui::test
