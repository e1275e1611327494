#include "ui/WindowHost.h"

#include <QMetaObject>
#include <QString>
#include <QThread>
#include <utility>

#include "ui/MainWindow.h"

namespace zorvel::ui {

namespace {

QString ToQ(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Runs f on the window's thread and waits for it: directly when already there.
template <typename F>
void RunAndWait(TB& window, F&& f) {
  if (QThread::currentThread() == window.thread()) {
    f();
  } else {
    QMetaObject::invokeMethod(&window, std::forward<F>(f), Qt::BlockingQueuedConnection);
  }
}

// Runs f on the window's thread without waiting (the call keeps its place in the queue, so
// lines and progress arrive in the order the job sent them).
template <typename F>
void Post(TB& window, F&& f) {
  if (QThread::currentThread() == window.thread()) {
    f();
  } else {
    QMetaObject::invokeMethod(&window, std::forward<F>(f), Qt::QueuedConnection);
  }
}

}  // namespace

void WindowHost::TimedMessage(std::string_view text, int milliseconds) {
  const QString t = ToQ(text);
  RunAndWait(window_, [&] { window_.TimedMessage(t, milliseconds); });
}

void WindowHost::AddLine(Memo memo, std::string_view line) {
  Post(window_, [w = &window_, memo, l = ToQ(line)] { w->AddLine(memo, l); });
}

Answer WindowHost::Ask(std::string_view question, Buttons buttons) {
  const QString q = ToQ(question);
  Answer answer = Answer::Cancel;
  RunAndWait(window_, [&] { answer = window_.Ask(q, buttons); });
  return answer;
}

std::optional<std::string> WindowHost::ChooseSavePath(const SaveRequest& request) {
  std::optional<QString> chosen;
  RunAndWait(window_, [&] {
    chosen = window_.ChooseSavePath(QString::fromStdString(request.title),
                                    QString::fromStdString(request.proposedPath),
                                    QString::fromStdString(request.filter));
  });
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

void WindowHost::Progress(std::string_view caption, int step, int steps) {
  Post(window_, [w = &window_, c = ToQ(caption), step, steps] { w->ShowProgress(c, step, steps); });
}

bool WindowHost::StopRequested() {
  return window_.StopRequested();
}

bool WindowHost::AdministratorMode() const {
  return window_.AdministratorMode();
}

}  // namespace zorvel::ui
