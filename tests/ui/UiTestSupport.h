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

constexpr int kFirstMinute = 46'000 * 1440;

}  // namespace zorvel::ui::test
