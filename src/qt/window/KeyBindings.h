#pragma once

#include <QString>
#include <Qt>
#include <optional>
#include <span>
#include <string_view>

#include "engine/KeyCommand.h"

namespace sumwise::qt {

// A desktop key bound to a command of the command table.
struct KeyBinding {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;  // held, of those in `considered`
    Qt::KeyboardModifiers considered; // the others may be held too (Keypad always may)
    std::string_view command;         // a name in the command table
};
std::span<const KeyBinding> KeyBindings();

// The desktop keys that run a command without typing a character: Enter, Escape, Backspace,
// and the keys for what only the mouse reaches otherwise (arrows and page keys pick a tape
// line, F2 changes it, Ctrl+1 to Ctrl+5 select a memory bank, F4 renames its account).
std::optional<KeyCommand> BoundCommand(int key, Qt::KeyboardModifiers modifiers);

// The character a key types for the keyboard map, 0 for none: keys held with Ctrl, Alt or
// Meta type nothing, and the keypad's decimal key types the point whatever the layout gives.
int TypedCharacter(int key, Qt::KeyboardModifiers modifiers, const QString& text);

} // namespace sumwise::qt
