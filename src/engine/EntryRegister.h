#pragma once

#include <string>
#include <string_view>

namespace sumwise {

// What the last action did to the register.
enum class EntryState {
    Empty, // nothing since start
    Num,   // a number is in the register and counts as keyed
    Ops,   // an operator key was the last action
    None,  // a calculation was closed with "="
    CE,    // the entry was cleared
};

// "NUM", "OPS", "NONE", "CE", or empty at start: the state as it is written and shown.
std::string_view EntryStateText(EntryState state);

// The number being keyed or just shown. The display text is authoritative for the digits;
// the entry value is re-read from it after every editing key.
class EntryRegister {
public:
    const std::string& Display() const { return display_; }
    double EntryValue() const { return entryValue_; }
    EntryState State() const { return state_; }
    bool DecimalTyped() const { return decimalTyped_; }
    const std::string& NumberFormat() const { return numberFormat_; }

    // Shows a value in the display format and makes it the register's number.
    void Load(double value);
    std::string Format(double value) const;

    // The register's part of each editing key; the caller gives focus to the key sink.
    // A digit is refused (false) when it would carry the number past the double range.
    bool TypeDigit(int digit);
    void TypeDecimal();
    void Backspace();
    void CancelEntry();
    void ChangeSign();
    void ChooseDecimalPlaces(int position);

    // A value the next operator takes as keyed, its places typed (a function's result, the
    // value a host starts with).
    void LoadAsKeyed(double value);
    // An empty entry for a new calculation: "." and 0, keyed from scratch.
    void StartNewEntry();
    // "." and 0, the state left as it is (a result taken into the grand total).
    void ClearNumber();
    // A text shown as the register's number, read as its leading number (the converter's
    // results).
    void ShowNumberText(std::string text);
    // A text shown without changing the register's number (the banks' total).
    void ShowText(std::string text);
    // "-." after the minus key on an empty entry: the digits that follow key a negative number.
    void StartNegative();
    // A display and decimal point as keys left them, the number read from the display.
    void RestoreKeyed(std::string display, bool decimalTyped);

    // A value the calculator put in the display (a conversion, a recall, M+ or M-, a tax
    // key's result): it still counts as keyed, but the next digit or point starts a new number.
    void MarkResult() { result_ = true; }

    // The state after a key that is not an editing key.
    void MarkKeyed() { state_ = EntryState::Num; }
    void MarkOperator() { state_ = EntryState::Ops; }
    void MarkClosed() { state_ = EntryState::None; }
    // Whether +/- was pressed since it was last taken; taking it clears it.
    bool TakeSignChange();

    // Add mode: with fixed places, digits keyed without a decimal point shift in from the
    // right as on a cash register (1, 2, 5, 0 at two places keys 12.50); a typed point
    // keys that number the usual way. Floating decimal is not affected.
    void SetAddMode(bool on) { addMode_ = on; }
    bool AddMode() const { return addMode_; }
    // Add mode places the point only in numbers that are added or subtracted, as on a desk
    // machine: a number keyed while x or / waits is keyed as typed, and one that a
    // multiplication, division, function, bank or the converter takes is taken as its digits
    // were keyed (3 shown as 0.03 is 3).
    void KeyAsTyped(bool asTyped) { asTyped_ = asTyped; }
    void TakeAsTyped();

private:
    std::string display_ = "0.";
    double entryValue_ = 0;
    EntryState state_ = EntryState::Empty;
    bool decimalTyped_ = false;
    std::string numberFormat_;
    bool signChanged_ = false;
    bool addMode_ = false;
    bool result_ = false;
    bool asTyped_ = false;
    std::string addDigits_; // the digits keyed so far while they shift in

    bool ShiftsIn() const;
    bool TypeShiftedDigit(char digit);
    void ShowShifted(std::string digits);
};

} // namespace sumwise
