#include "engine/EntryRegister.h"

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
    entryValue_ = value;
    display_ = Format(value);
}

std::string EntryRegister::Format(double value) const {
    return FormatNumber(value, numberFormat_);
}

void EntryRegister::TypeDigit(int digit) {
    if (digit < 0 || digit > 9) {
        return;
    }
    if (state_ != EntryState::Num) {
        display_ = ".";
        decimalTyped_ = false;
    }
    const char d = static_cast<char>('0' + digit);
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
    if (const auto value = ReadLeadingNumber(next)) {
        display_ = std::move(next);
        entryValue_ = *value;
    }
    state_ = EntryState::Num;
}

void EntryRegister::TypeDecimal() {
    if (state_ != EntryState::Num) {
        display_ = ".";
    }
    decimalTyped_ = true;
    state_ = EntryState::Num;
    entryValue_ = LeadingNumber(display_);
}

void EntryRegister::Backspace() {
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
    display_ = ".";
    entryValue_ = 0;
}

void EntryRegister::ShowNumberText(std::string text) {
    display_ = std::move(text);
    entryValue_ = LeadingNumber(display_);
}

void EntryRegister::ShowText(std::string text) {
    display_ = std::move(text);
}

void EntryRegister::StartNegative() {
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
