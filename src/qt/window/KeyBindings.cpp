#include "qt/window/KeyBindings.h"

#include <algorithm>
#include <iterator>

namespace sumwise::qt {

namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
// Keys that stand for characters of the keyboard map give way to Ctrl, Alt and Meta, as
// typed characters do; Shift does not change them.
constexpr Qt::KeyboardModifiers kTyping = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
// The keys for what the mouse does elsewhere: Shift, Ctrl and Alt make other keys of them.
constexpr Qt::KeyboardModifiers kMouseKeys =
    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;

const KeyBinding kBindings[] = {
    {Qt::Key_Return, kNone, kTyping, "enter"},
    {Qt::Key_Enter, kNone, kTyping, "enter"},
    {Qt::Key_Escape, kNone, kTyping, "esc"},
    {Qt::Key_Backspace, kNone, kTyping, "bs"},
    {Qt::Key_Up, kNone, kMouseKeys, "up"},
    {Qt::Key_Down, kNone, kMouseKeys, "down"},
    {Qt::Key_PageUp, kNone, kMouseKeys, "pageup"},
    {Qt::Key_PageDown, kNone, kMouseKeys, "pagedown"},
    {Qt::Key_Home, kNone, kMouseKeys, "home"},
    {Qt::Key_End, kNone, kMouseKeys, "end"},
    {Qt::Key_F2, kNone, kMouseKeys, "change"},
    {Qt::Key_F4, kNone, kMouseKeys, "account"},
    {Qt::Key_1, kCtrl, kMouseKeys, "bank0"},
    {Qt::Key_2, kCtrl, kMouseKeys, "bank1"},
    {Qt::Key_3, kCtrl, kMouseKeys, "bank2"},
    {Qt::Key_4, kCtrl, kMouseKeys, "bank3"},
    {Qt::Key_5, kCtrl, kMouseKeys, "bank4"},
    {Qt::Key_T, kCtrl, kMouseKeys, "tax+"},
    {Qt::Key_T, kCtrl | Qt::ShiftModifier, kMouseKeys, "tax-"},
};

} // namespace

std::span<const KeyBinding> KeyBindings() {
    return kBindings;
}

std::optional<KeyCommand> BoundCommand(int key, Qt::KeyboardModifiers modifiers) {
    const auto* binding =
        std::find_if(std::begin(kBindings), std::end(kBindings), [&](const KeyBinding& b) {
            return b.key == key && (modifiers & b.considered) == b.modifiers;
        });
    if (binding == std::end(kBindings)) {
        return std::nullopt;
    }
    return CommandNamed(binding->command);
}

int TypedCharacter(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (modifiers & kTyping) {
        return 0;
    }
    const int code = text.size() == 1 ? text.at(0).unicode() : 0;
    // The keypad's decimal key gives "," under some layouts; it is still the point.
    const bool decimalKey =
        key == Qt::Key_Comma || key == Qt::Key_Period || code == ',' || code == '.';
    if ((modifiers & Qt::KeypadModifier) && decimalKey) {
        return '.';
    }
    return code;
}

} // namespace sumwise::qt
