// A page of the menu. Pages that have no controls yet show their title, so that each page can
// be filled later in its own file without touching the window.
#pragma once

#include <QWidget>

class QVBoxLayout;

namespace zorvel::ui {

class TitledPage : public QWidget {
 public:
  // placeholder: show the title in the page until the page has controls.
  TitledPage(const QString& title, bool placeholder, QWidget* parent = nullptr);
  const QString& Title() const { return title_; }

 protected:
  QVBoxLayout* Body() const { return body_; }

 private:
  QString title_;
  QVBoxLayout* body_;
};

}  // namespace zorvel::ui
