#pragma once

#include <span>

#include "engine/KeyCommand.h"

namespace sumwise::qt {

// A rectangle in twips (1440 to the inch, 15 to the pixel at 96 dpi).
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15;

// One button of the keypad or the tape: its control name, caption, place and command.
struct KeyButton {
    const char* objectName;
    const char* caption;
    const char* accessibleName;
    TwipsRect rect;
    KeyCommand key;
    const char* toolTip = nullptr;
};

std::span<const KeyButton> KeypadButtons();

} // namespace sumwise::qt
