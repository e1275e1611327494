// TMIF: the small read-out that follows the pointer over the plot with the time, the value of
// the band's axis, the call under the pointer and any other values (temperature, light,
// battery). A child of the main window, so it never takes the focus from it.
#pragma once

#include <QFrame>
#include <QString>

class QLabel;

namespace zorvel::ui {

class MovingInfoWindow : public QFrame {
  Q_OBJECT
 public:
  explicit MovingInfoWindow(QWidget* parent = nullptr);

  QLabel* TimeLbl = nullptr;
  QLabel* ValueLbl = nullptr;
  QLabel* CallFreqLbl = nullptr;
  QLabel* CallDurationLbl = nullptr;
  QLabel* OtherLbl = nullptr;

  // Sets a label's text and hides it when empty, then fits the window to what is shown.
  void SetTexts(const QString& time, const QString& value, const QString& callFreq,
                const QString& callDuration, const QString& other);
};

}  // namespace zorvel::ui
