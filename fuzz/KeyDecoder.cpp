#include "KeyDecoder.h"

namespace sumwise::fuzz {

namespace {

void DecodeAnswer(Input& in, Action& a) {
    const uint8_t mode = in.Byte() % 4;
    a.yes = mode == 1; // the proposal "Enter name" comes back; mode 0 cancels
    if (mode >= 2) {
        a.text = in.Text();
    }
}

void DecodeRepeat(Input& in, Action& a) {
    a.arg = 1 + in.Byte() % 4;
    const uint8_t b = in.Byte();
    // Mostly short runs; the top values fill the tape (32,766 lines) and more.
    a.count = b < 240 ? b + 1 : (b - 239) * 2560;
}

// The tape document's actions: notes and files.
void DecodeDocumentArguments(Input& in, Action& a) {
    switch (a.op) {
    case kNote:
        a.arg = in.Byte() % 4;
        a.text = a.arg >= 2 ? in.Text() : std::string();
        break;
    case kSaveTape:
    case kOpenTape:
    case kExportCsv:
        a.arg = in.Byte() % 6;
        break;
    case kWriteFile:
        a.arg = 1 + in.Byte() % 3;
        a.text = in.Text(256);
        break;
    case kReopenTape:
        a.yes = in.Byte() & 1;
        break;
    default:
        break;
    }
}

void DecodeArguments(Input& in, Action& a) {
    switch (a.op) {
    case kDecimalPlaces:
        a.arg = in.Byte() % 9 - 1; // -1 and 7 are no entries of the list
        break;
    case kViewMenu:
        a.arg = in.Byte() % 4;
        break;
    case kPrinter: {
        const uint8_t b = in.Byte();
        a.arg = b < 32 ? -1 : (b < 128 ? 0 : b - 127); // no printer, a good one, failing
        break;
    }
    case kInputAnswer:
        DecodeAnswer(in, a);
        break;
    case kBankClick:
    case kAccountClick:
        a.arg = in.Byte() % 6; // 5 is no bank
        break;
    case kSelectTapeLine:
        a.arg = in.Byte() << 8;
        a.arg |= in.Byte();
        break;
    case kChangeType:
        a.arg = in.Byte() % 5;
        break;
    case kChangeText:
    case kPaste:
        a.text = in.Text();
        break;
    case kCategory:
        a.arg = in.Byte() % 8;
        break;
    case kFromUnit:
    case kToUnit:
        a.arg = in.Byte() % 10;
        break;
    case kTemperatureDirection:
    case kRestoreBackup:
        a.yes = in.Byte() & 1;
        break;
    case kKeyPress:
    case kTapePage:
        a.arg = in.Byte();
        break;
    case kStartValue:
        for (int i = 0; i < 8; ++i) {
            a.amount = (a.amount << 8) | in.Byte();
        }
        break;
    case kRepeat:
        DecodeRepeat(in, a);
        break;
    default:
        DecodeDocumentArguments(in, a);
        break;
    }
}

} // namespace

std::vector<Action> Decode(Input& in) {
    const auto keys = KeyCommands();
    const size_t codes = keys.size() + kOpCount;
    std::vector<Action> program;
    while (!in.Empty()) {
        Action a;
        const size_t code = in.Byte() % codes;
        if (code < keys.size()) {
            a.key = keys[code].key;
        } else {
            a.op = static_cast<uint8_t>(code - keys.size());
            DecodeArguments(in, a);
        }
        program.push_back(std::move(a));
    }
    return program;
}

std::string ActionName(const Action& action) {
    if (action.key) {
        return "key " + std::string(CommandName(*action.key));
    }
    return "op " + std::to_string(action.op);
}

} // namespace sumwise::fuzz
