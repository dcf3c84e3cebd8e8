#pragma once

#include <QRect>

#include "qt/panels/KeypadLayout.h"

namespace sumwise::qt {

// Where the window's controls stand, in twips as the window was designed, and in pixels.
inline QRect Pixels(const TwipsRect& r) {
    auto px = [](int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; };
    return {px(r.left), px(r.top), px(r.width), px(r.height)};
}

inline constexpr TwipsRect kClientArea{0, 0, 8730, 3480};
inline constexpr TwipsRect kDisplayRect{2520, 180, 3855, 330};
inline constexpr TwipsRect kDecimalLabelRect{2520, 3130, 1995, 255};
inline constexpr TwipsRect kDecimalListRect{4635, 3070, 1740, 330};
inline constexpr TwipsRect kTapeRect{6600, 180, 2055, 2800};
inline constexpr TwipsRect kPanelRect{120, 100, 2320, 3300};
// The change panel opens over the keypad, where the user sees it, inside the narrow window too.
inline constexpr TwipsRect kChangeTapeRect{1800, 900, 4650, 1920};

} // namespace sumwise::qt
