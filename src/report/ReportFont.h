// The report's one typeface, so that the PDF, the SVG and the screen measure text alike.
#pragma once

#include <QFont>

namespace zorvel::report {

inline QFont ReportFont(double pointSize, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPointSizeF(pointSize);
  f.setBold(bold);
  return f;
}

}  // namespace zorvel::report
