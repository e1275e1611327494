#include "ui/PeriodText.h"

#include <QRegularExpression>

#include "core/TimeBase.h"

namespace zorvel::ui {

std::optional<TRecTime> ParseMomentText(const QString& text) {
  static const QRegularExpression re(QStringLiteral(
      R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:\.(\d{1,6}))?)?\s*$)"));
  const QRegularExpressionMatch m = re.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const auto mn = MinuteNumber(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                               m.captured(4).toInt(), m.captured(5).toInt());
  const int second = m.captured(6).isEmpty() ? 0 : m.captured(6).toInt();
  if (!mn || second > 59) return std::nullopt;
  // Fractions of a second down to the 5-microsecond tick.
  const QString fraction = m.captured(7).leftJustified(6, QLatin1Char('0'));
  const int micro = fraction.toInt();
  return TRecTime{*mn, second * kTicksPerSecond + micro / 5};
}

}  // namespace zorvel::ui
