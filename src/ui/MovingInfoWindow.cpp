#include "ui/MovingInfoWindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvel::ui {

MovingInfoWindow::MovingInfoWindow(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("TMIF"));
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  setAttribute(Qt::WA_TransparentForMouseEvents);  // the pointer passes through to the plot
  setStyleSheet(QStringLiteral("QFrame#TMIF { background: #fffbe0; color: black; }"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(0);
  auto label = [this, layout](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    layout->addWidget(l);
    return l;
  };
  TimeLbl = label("TimeLbl");
  ValueLbl = label("ValueLbl");
  CallFreqLbl = label("CallFreqLbl");
  CallDurationLbl = label("CallDurationLbl");
  OtherLbl = label("OtherLbl");
  hide();
}

void MovingInfoWindow::SetTexts(const QString& time, const QString& value, const QString& callFreq,
                                const QString& callDuration, const QString& other) {
  const std::pair<QLabel*, const QString*> all[] = {{TimeLbl, &time},
                                                    {ValueLbl, &value},
                                                    {CallFreqLbl, &callFreq},
                                                    {CallDurationLbl, &callDuration},
                                                    {OtherLbl, &other}};
  for (auto [label, text] : all) {
    label->setText(*text);
    label->setVisible(!text->isEmpty());
  }
  adjustSize();
}

}  // namespace zorvel::ui
