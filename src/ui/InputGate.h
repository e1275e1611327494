// While a long draw or search runs on the window's thread, the window still repaints and the
// Stop button and Esc still work, but nothing else the user does may start another command in
// the middle of it (a second draw, closing the files being read). The gate is an application
// event filter that lets only those two through.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace zorvel::ui {

class InputGate : public QObject {
 public:
  explicit InputGate(QWidget* stopButton) : stopButton_(stopButton) {}
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> stopButton_;
};

}  // namespace zorvel::ui
