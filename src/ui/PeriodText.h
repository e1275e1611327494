// Moments typed into the period boxes: "yyyy-mm-dd hh:mm", optionally ":ss" and ".fff…" after it.
#pragma once

#include <QString>
#include <optional>

#include "core/Records.h"

namespace zorvel::ui {

std::optional<TRecTime> ParseMomentText(const QString& text);

}  // namespace zorvel::ui
