#include "tape/TapeLine.h"

namespace sumwise {

bool StartsWithMinus(std::string_view line) {
    return line.starts_with(kEnDash) || line.starts_with('-');
}

bool ShowsNegative(std::string_view line) {
    switch (KindOf(line)) {
    case TapeLineKind::Entry:
    case TapeLineKind::EditedReciprocal:
    case TapeLineKind::Total:
    case TapeLineKind::SubTotal:
    case TapeLineKind::GrandTotal:
        break;
    default:
        return false;
    }
    if (StartsWithMinus(line)) {
        return true;
    }
    const std::string_view number = NumberTextOf(line);
    return number.starts_with('-') && number.find_first_not_of("-0.,") != std::string_view::npos;
}

TapeLineKind KindOf(std::string_view line) {
    if (line.empty()) {
        return TapeLineKind::Other;
    }
    if (StartsWithMinus(line)) {
        return TapeLineKind::Entry;
    }
    switch (line.front()) {
    case '+':
    case 'x':
    case '/':
        return TapeLineKind::Entry;
    case '1':
        return TapeLineKind::EditedReciprocal;
    case '=':
        return line.ends_with(kSubTotalSuffix) ? TapeLineKind::SubTotal : TapeLineKind::Total;
    case 'G':
        return TapeLineKind::GrandTotal;
    case '*':
        return TapeLineKind::Separator;
    default:
        return TapeLineKind::Other;
    }
}

std::string_view NumberTextOf(std::string_view line) {
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) {
        return {};
    }
    std::string_view number = line.substr(blank + 1);
    if (line.front() == '=' && number.ends_with(kSubTotalSuffix)) {
        number.remove_suffix(kSubTotalSuffix.size());
    }
    return number;
}

std::string MakeTapeLine(std::string_view symbol, std::string_view number) {
    std::string line;
    line.reserve(symbol.size() + 1 + number.size());
    line.append(symbol);
    line.push_back(' ');
    line.append(number);
    return line;
}

} // namespace sumwise
