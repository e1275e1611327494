// The Process page's frequency graph: while calls are classified each call becomes a 2-pixel
// mark at its minute of the day (noon to noon across the graph) and twice its mean kHz above
// the base line, in the colour kept for that frequency.
#pragma once

#include <QImage>
#include <QWidget>

namespace zorvel::ui {

class ClassifierGraph : public QWidget {
 public:
  static constexpr int kMaxMarks = 60000;
  explicit ClassifierGraph(QWidget* parent = nullptr);
  void AddMark(int minuteOfDay, int fav);
  void Clear();
  int Marks() const { return marks_; }
  const QImage& Image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawAxes();
  QImage image_;
  int marks_ = 0;
};

}  // namespace zorvel::ui
