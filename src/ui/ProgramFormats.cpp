#include "ui/ProgramFormats.h"

#include <QLocale>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <locale>

namespace zorvel::ui {

double ScreenScaleFactor(int screenHeight, int clientHeight) {
  int n = screenHeight;
  if (clientHeight > 3000) {
    n = clientHeight;
  } else if (clientHeight > 2000) {
    return 1.0;
  }
  if (n <= 0) return 1.0;
  const double m = std::min(2200.0, std::nearbyint(static_cast<double>(n) * n / 700.0));
  return m / n;
}

void FixProgramFormats() {
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::OmitGroupSeparator);
  QLocale::setDefault(c);
  std::setlocale(LC_NUMERIC, "C");
  std::locale::global(std::locale::classic());
}

QString ShortDate(const QDate& d) {
  return QLocale::c().toString(d, QStringLiteral("d/M/yyyy"));
}

QString ShortTime(const QTime& t) {
  return QLocale::c().toString(t, QStringLiteral("hh:mm"));
}

QString DecimalText(double value, int decimals) {
  return QLocale::c().toString(value, 'f', decimals);
}

QString ProposedFileName(const QStringList& parameters) {
  return parameters.join(QLatin1Char(' '));
}

}  // namespace zorvel::ui
