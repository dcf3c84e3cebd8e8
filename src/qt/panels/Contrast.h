#pragma once

#include <QColor>

namespace sumwise::qt {

// Text contrast as the accessibility guidelines measure it, so colours we fix ourselves stay
// readable whatever palette the desktop brings.

// The contrast normal-size text needs to count as readable.
inline constexpr double kReadableContrast = 4.5;
// A control's outline needs 3:1 against what it stands on; outlines we draw again aim a little
// higher, as their smoothed edges blend with the colours beside them.
inline constexpr double kOutlineContrast = 3.5;

// Relative luminance of an opaque colour, 0 for black to 1 for white.
double RelativeLuminance(const QColor& colour);
// From 1 (no contrast) to 21 (black on white); the order of the two does not matter.
double ContrastRatio(const QColor& a, const QColor& b);
// The opaque colour that ink drawn with this opacity shows on the background.
QColor Blend(const QColor& ink, const QColor& background, double opacity);
// The preferred ink where it reads on the background; else the nearest shade of it, lighter
// or darker, that does; else the shade with the most contrast there is.
QColor ReadableInk(const QColor& preferred, const QColor& background,
                   double minimum = kReadableContrast);
// Text dimmed to the given opacity on the background, made less dim as far as it must be to
// keep the minimum contrast. Opaque.
QColor DimmedInk(const QColor& text, const QColor& background, double opacity,
                 double minimum = kReadableContrast);

} // namespace sumwise::qt
