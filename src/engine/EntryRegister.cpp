#include "engine/EntryRegister.h"

#include <algorithm>

#include "number/NumberText.h"

namespace sumwise {

std::string_view EntryStateText(EntryState state) {
    switch (state) {
    case EntryState::Num:
        return "NUM";
    case EntryState::Ops:
        return "OPS";
    case EntryState::None:
        return "NONE";
    case EntryState::CE:
        return "CE";
    case EntryState::Empty:
        break;
    }
    return "";
}

void EntryRegister::Load(double value) {
    result_ = false;
    entryValue_ = value;
    display_ = Format(value);
    addDigits_.clear();
}

std::string EntryRegister::Format(double value) const {
    return FormatNumber(value, numberFormat_);
}

bool EntryRegister::ShiftsIn() const {
    const int places = PlacesOf(numberFormat_);
    return addMode_ && !asTyped_ && !decimalTyped_ && places >= 1 && places <= 6;
}

void EntryRegister::TakeAsTyped() {
    if (state_ != EntryState::Num || addDigits_.empty()) {
        return;
    }
    const double typed = LeadingNumber(addDigits_);
    Load(display_.starts_with('-') ? -typed : typed);
}

void EntryRegister::ShowShifted(std::string digits) {
    const auto places = static_cast<size_t>(PlacesOf(numberFormat_));
    std::string text = digits;
    text.erase(0, std::min(text.find_first_not_of('0'), text.size()));
    if (text.size() <= places) {
        text.insert(0, places + 1 - text.size(), '0');
    }
    text.insert(text.size() - places, ".");
    const bool negative = display_.starts_with('-');
    display_ = negative ? "-" + text : text;
    entryValue_ = LeadingNumber(display_);
    addDigits_ = std::move(digits);
}

bool EntryRegister::TypeShiftedDigit(char digit) {
    // Refused, as a typed digit is, when the number would pass the double range.
    if (!ReadLeadingNumber(addDigits_ + digit)) {
        return false;
    }
    ShowShifted(addDigits_ + digit);
    return true;
}

bool EntryRegister::TypeDigit(int digit) {
    if (digit < 0 || digit > 9) {
        return false;
    }
    if (state_ != EntryState::Num || result_) {
        display_ = ".";
        decimalTyped_ = false;
        addDigits_.clear();
        result_ = false;
    }
    const char d = static_cast<char>('0' + digit);
    if (ShiftsIn()) {
        state_ = EntryState::Num;
        return TypeShiftedDigit(d);
    }
    std::string next;
    if (decimalTyped_) {
        next = display_ + d;
    } else {
        const size_t point = display_.find('.');
        if (point != std::string::npos) {
            next = display_.substr(0, point) + d + ".";
        } else {
            next = display_; // a whole number shown without a point takes no digit
        }
    }
    // A digit that would carry the number past the double range is refused, so the display
    // never shows a number the register cannot hold.
    bool taken = false;
    if (const auto value = ReadLeadingNumber(next); value && next != display_) {
        display_ = std::move(next);
        entryValue_ = *value;
        taken = true;
    }
    state_ = EntryState::Num;
    return taken;
}

void EntryRegister::TypeDecimal() {
    if (result_) {
        // A new number, as after an operator key.
        state_ = EntryState::Ops;
        result_ = false;
    }
    if (state_ == EntryState::Num && ShiftsIn() && !addDigits_.empty()) {
        // The digits keyed so far become the whole part: "125." after 1, 2, 5 and the point.
        const bool negative = display_.starts_with('-');
        display_ = (negative ? "-" : "") + addDigits_ + ".";
        addDigits_.clear();
    }
    if (state_ != EntryState::Num) {
        display_ = ".";
    }
    decimalTyped_ = true;
    state_ = EntryState::Num;
    entryValue_ = LeadingNumber(display_);
}

void EntryRegister::Backspace() {
    result_ = false;
    if (state_ == EntryState::Num && ShiftsIn() && !addDigits_.empty()) {
        addDigits_.pop_back();
        if (!addDigits_.empty()) {
            ShowShifted(addDigits_);
            return;
        }
        display_ = display_.starts_with('-') ? "-." : ".";
        entryValue_ = 0;
        return;
    }
    const size_t length = display_.size();
    if (length == 2) {
        display_ = ".";
        decimalTyped_ = false;
    } else if (length > 2 && display_.back() != '.') {
        display_.pop_back();
    } else if (length > 2) {
        display_.resize(length - 2);
        display_.push_back('.');
        decimalTyped_ = false;
    }
    entryValue_ = LeadingNumber(display_);
}

void EntryRegister::CancelEntry() {
    result_ = false;
    addDigits_.clear();
    display_ = "0";
    entryValue_ = 0;
    decimalTyped_ = false;
    state_ = EntryState::CE;
}

void EntryRegister::ChangeSign() {
    entryValue_ = -entryValue_;
    signChanged_ = !signChanged_;
    display_ = Format(entryValue_);
}

void EntryRegister::ChooseDecimalPlaces(int position) {
    numberFormat_ = NumberFormatForPlaces(position);
}

void EntryRegister::LoadAsKeyed(double value) {
    Load(value);
    state_ = EntryState::Num;
    decimalTyped_ = true;
}

void EntryRegister::StartNewEntry() {
    ClearNumber();
    decimalTyped_ = false;
    state_ = EntryState::Num;
}

void EntryRegister::ClearNumber() {
    result_ = false;
    addDigits_.clear();
    display_ = ".";
    entryValue_ = 0;
}

void EntryRegister::ShowNumberText(std::string text) {
    result_ = false;
    addDigits_.clear();
    display_ = std::move(text);
    entryValue_ = LeadingNumber(display_);
}

void EntryRegister::ShowText(std::string text) {
    result_ = false;
    addDigits_.clear();
    display_ = std::move(text);
}

void EntryRegister::StartNegative() {
    result_ = false;
    addDigits_.clear();
    display_ = "-.";
}

void EntryRegister::RestoreKeyed(std::string display, bool decimalTyped) {
    ShowNumberText(std::move(display));
    decimalTyped_ = decimalTyped;
    state_ = EntryState::Num;
}

bool EntryRegister::TakeSignChange() {
    const bool changed = signChanged_;
    signChanged_ = false;
    return changed;
}

} // namespace sumwise
