#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/EntryRegister.h"
#include "platform/Dialogs.h"
#include "platform/WindowHost.h"

namespace sumwise {

// The longest account name the settings file keeps, in characters.
inline constexpr std::size_t kMaxAccountNameChars = 1023;

// An answer of the rename box as a name the settings file can keep: each line break becomes
// a blank, and the name ends after kMaxAccountNameChars characters.
std::string AccountNameFrom(std::string_view answer);

enum MemoryKey { kMemPlus = 0, kMemMinus = 1, kMemRecall = 2, kMemClear = 3 };

// Five memory banks, each kept as the text it shows, with a selector and an account name.
class MemoryBanks {
public:
    static constexpr int kCount = 5;

    MemoryBanks(EntryRegister& reg, Dialogs& dialogs, WindowHost& window);

    std::array<std::string, kCount> txtMem;      // each bank's text
    std::array<bool, kCount> optMem{};           // each bank's selector
    std::array<std::string, kCount> lblAccounts; // each bank's account name
    int SelectedBank = 0;
    std::string BankText; // the selected bank's text at the last selection refresh
    double BankValue = 0;

    // M+ (0), M- (1), MR (2), MC (3) on the selected bank.
    void cmdMemory_Click(int index);
    // The selection refresh: the first selector that is on becomes the selected bank.
    void optMem_Click(int index);
    // A click on selector i: it alone is on, then the refresh.
    void SelectBank(int bank);
    // The total of all five banks in the display, as general-number text.
    void cmdTotalMem_Click();
    // Asks for a new account name for bank i.
    void lblAccounts_Click(int bank);
    // A press on a bank's text gives the keys back to the keypad.
    void txtMem_MouseDown() { window_.FocusKeySink(); }

private:
    void StoreBankValue();

    EntryRegister& reg_;
    Dialogs& dialogs_;
    WindowHost& window_;
};

} // namespace sumwise
