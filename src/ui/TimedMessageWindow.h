// The timed message window: a notice shown modally for a given time. Long notices get an OK
// button, a ten-step bar that counts down the time and a line saying how to skip them; any key
// closes the window at once.
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zorvel::ui {

class TTM : public QDialog {
  Q_OBJECT
 public:
  // Durations above this get the OK button, the bar and the skip line.
  static constexpr int kShortMessageMs = 1000;
  static constexpr int kBarSteps = 10;

  explicit TTM(QWidget* mainWindow);

  // Shows text for the given time and returns when the window closes. Nothing is shown while
  // the main window is minimised. Called again while a notice is up, the new text replaces it.
  void ShowFor(const QString& text, int milliseconds);

  QLabel* MessageLbl = nullptr;
  QPushButton* OKBtn = nullptr;
  QProgressBar* TimeBar = nullptr;
  QLabel* SkipLbl = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  void Arrange(const QString& text, int milliseconds);
  void Finish();
  QWidget* mainWindow_;
  QTimer endTimer_;
  QTimer stepTimer_;
};

}  // namespace zorvel::ui
