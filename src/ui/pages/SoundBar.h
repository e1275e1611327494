// The sound controls beside the stop button: live play on and off, its pitch and stretch labels,
// and saving the 500 kHz reconstruction as a WAV file.
#pragma once

#include <QWidget>

class QPushButton;

namespace zorvel::ui {

class ClickLabel;

class SoundBar : public QWidget {
 public:
  explicit SoundBar(QWidget* parent = nullptr);

  int Pitch() const { return pitch_; }
  int Stretch() const { return stretch_; }
  void NextPitch();
  void NextStretch();

  QPushButton* PlaySoundsBtn = nullptr;
  ClickLabel* PitchLbl = nullptr;
  ClickLabel* lengthLbl = nullptr;
  QPushButton* CreateWavFileBtn = nullptr;

 private:
  int pitch_ = 1;
  int stretch_ = 4;
};

}  // namespace zorvel::ui
