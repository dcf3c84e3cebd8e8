#pragma once

#include <QFont>

namespace sumwise::qt {

// True when the ten digits share one advance, plain and bold alike, so right-aligned amounts
// line up.
bool HasTabularDigits(const QFont& font);
// The font itself when its digits line up; else a fixed-pitch face of the same size.
QFont TabularFont(const QFont& font);

} // namespace sumwise::qt
