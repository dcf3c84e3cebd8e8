#include "engine/EntryRegister.h"

#include "number/NumberText.h"

namespace sumwise {

void EntryRegister::Load(double value) {
    EntryValue = value;
    Display = Format(value);
}

std::string EntryRegister::Format(double value) const {
    return FormatNumber(value, NumberFormat);
}

void EntryRegister::TypeDigit(int digit) {
    if (digit < 0 || digit > 9) {
        return;
    }
    if (EntryState != kStateNum) {
        Display = ".";
        DecimalTyped = false;
    }
    const char d = static_cast<char>('0' + digit);
    std::string next;
    if (DecimalTyped) {
        next = Display + d;
    } else {
        const size_t point = Display.find('.');
        if (point != std::string::npos) {
            next = Display.substr(0, point) + d + ".";
        } else {
            next = Display; // a whole number shown without a point takes no digit
        }
    }
    // A digit that would carry the number past the double range is refused, so the display
    // never shows a number the register cannot hold.
    if (const auto value = ReadLeadingNumber(next)) {
        Display = std::move(next);
        EntryValue = *value;
    }
    EntryState = kStateNum;
}

void EntryRegister::TypeDecimal() {
    if (EntryState != kStateNum) {
        Display = ".";
    }
    DecimalTyped = true;
    EntryState = kStateNum;
    EntryValue = LeadingNumber(Display);
}

void EntryRegister::Backspace() {
    const size_t length = Display.size();
    if (length == 2) {
        Display = ".";
        DecimalTyped = false;
    } else if (length > 2 && Display.back() != '.') {
        Display.pop_back();
    } else if (length > 2) {
        Display.resize(length - 2);
        Display.push_back('.');
        DecimalTyped = false;
    }
    EntryValue = LeadingNumber(Display);
}

void EntryRegister::CancelEntry() {
    Display = "0";
    EntryValue = 0;
    DecimalTyped = false;
    EntryState = kStateCE;
}

void EntryRegister::ChangeSign() {
    EntryValue = -EntryValue;
    SignChanged = !SignChanged;
    Display = Format(EntryValue);
}

void EntryRegister::ChooseDecimalPlaces(int position) {
    NumberFormat = NumberFormatForPlaces(position);
}

} // namespace sumwise
