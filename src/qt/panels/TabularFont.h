#pragma once

#include <QFont>
#include <QStringList>

namespace sumwise::qt {

// True when the ten digits share one advance, plain and bold alike, so right-aligned amounts
// line up.
bool HasTabularDigits(const QFont& font);
// The font itself when its digits line up; else a fixed-pitch face of the same size.
QFont TabularFont(const QFont& font);
// Faces whose digits line up in both weights without measuring: measuring the bold one would
// read a second face at start-up only for this answer.
const QStringList& KnownTabularFaces();

} // namespace sumwise::qt
