#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/KeyCommand.h"

namespace sumwise::fuzz {

// What an input does besides the keys: an op byte below the command table's size is that row
// of the table, the bytes above it are these.
enum Op : uint8_t {
    // The window's lists, clicks and menus.
    kDecimalPlaces,
    kBankClick, // a click on a bank's selector
    kBankRefresh,
    kAccountClick, // a click on a bank's account name
    kStartValue,
    kRestoreBackup,
    kViewMenu,
    kTapePage, // the lines a page key passes
    // The tape's change panel and the converter.
    kSelectTapeLine,
    kOpenChange, // a double click on the selected line
    kChangeType,
    kChangeText,
    kSaveChange,
    kCancelChange,
    kCategory,
    kFromUnit,
    kToUnit,
    kConvert,
    kConvertTemperature,
    kTemperatureDirection,
    // The desktop: its printer and input boxes, the clipboard, typed characters.
    kPrinter,     // the printer of the following prints: none, working, failing
    kInputAnswer, // what the following input boxes answer
    kCopy,
    kPaste,
    kCopyThenPaste,
    kKeyPress,
    kRepeat,
    // The tape as a document: notes, undo, the clipboard, files and the journal.
    kNote, // answered by Cancel, the proposal, UTF-8 text or raw bytes
    kUndo,
    kCopyTape,
    kSaveTape, // to one of the document paths, or Cancel
    kOpenTape,
    kWriteFile, // puts the input's bytes in a document file, as another program might
    kExportCsv,
    kReopenTape, // answering Yes or No when asked
    kKillRestart,
    kOpCount
};

struct Action {
    std::optional<KeyCommand> key; // a key of the command table, or else `op`
    uint8_t op = 0;
    int arg = 0;
    int count = 0; // kRepeat: how many times the next `arg` actions run
    std::string text;
    bool yes = false;
    std::int64_t amount = 0;
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string Text(size_t limit = 48) {
        const size_t length = Byte() % limit;
        std::string text;
        for (size_t i = 0; i < length && !Empty(); ++i) {
            text.push_back(static_cast<char>(Byte()));
        }
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

std::vector<Action> Decode(Input& in);

// The key's name in the command table, or the op's number, for traces.
std::string ActionName(const Action& action);

} // namespace sumwise::fuzz
