#pragma once

#include <string>

namespace sumwise {

inline constexpr const char* kStateNum = "NUM";
inline constexpr const char* kStateOps = "OPS";
inline constexpr const char* kStateNone = "NONE";
inline constexpr const char* kStateCE = "CE";

// The number being keyed or just shown. The display text is authoritative for the digits;
// EntryValue is re-read from it after every editing key.
class EntryRegister {
public:
    std::string Display = "0.";
    double EntryValue = 0;
    std::string EntryState; // "NUM", "OPS", "NONE", "CE", or empty at start
    bool DecimalTyped = false;
    std::string NumberFormat;
    bool SignChanged = false;

    // Shows a value in the display format and makes it the register's number.
    void Load(double value);
    std::string Format(double value) const;

    // The register's part of each editing key; the caller gives focus to the key sink.
    void TypeDigit(int digit);
    void TypeDecimal();
    void Backspace();
    void CancelEntry();
    void ChangeSign();
    void ChooseDecimalPlaces(int position);
};

} // namespace sumwise
