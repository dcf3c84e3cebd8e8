#include "memory/MemoryBanks.h"

#include <cmath>

#include "engine/Arithmetic.h"
#include "engine/NumberText.h"
#include "shell/ErrorLog.h"

namespace sumwise {

MemoryBanks::MemoryBanks(EntryRegister& reg, Platform& platform) : reg_(reg), platform_(platform) {
    txtMem.fill("0");
    lblAccounts.fill("Account");
    optMem[0] = true;
}

void MemoryBanks::StoreBankValue() {
    txtMem[static_cast<size_t>(SelectedBank)] = reg_.Format(BankValue);
}

void MemoryBanks::cmdMemory_Click(int index) {
    // The bank is what its text says, to 15 significant digits.
    const double bank = LeadingNumber(GeneralNumber(LeadingNumber(BankText)));
    double result = 0;
    switch (index) {
    case kMemPlus:
        result = AddDecimal(bank, reg_.EntryValue);
        break;
    case kMemMinus:
        result = SubtractDecimal(bank, reg_.EntryValue);
        break;
    case kMemRecall:
        reg_.Load(bank);
        break;
    case kMemClear:
        result = 0;
        break;
    default:
        return;
    }
    if (index != kMemRecall) {
        if (std::isfinite(result)) {
            BankValue = result;
            StoreBankValue();
        } else {
            // A bank never holds a number beyond the double range; it keeps its value.
            platform_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        }
    }
    reg_.EntryState = kStateNum;
    platform_.FocusKeySink();
    optMem_Click(SelectedBank);
}

void MemoryBanks::optMem_Click(int /*index*/) {
    int selected = -1;
    for (int i = 0; i < kCount && selected < 0; ++i) {
        if (optMem[static_cast<size_t>(i)]) {
            selected = i;
        }
    }
    if (selected < 0) {
        // Only an edited settings file leaves every selector off: take bank 0, with its text.
        selected = 0;
        optMem[0] = true;
    }
    BankText = txtMem[static_cast<size_t>(selected)];
    SelectedBank = selected;
    BankValue = 0;
    platform_.FocusKeySink();
}

void MemoryBanks::SelectBank(int bank) {
    if (bank < 0 || bank >= kCount) {
        return;
    }
    optMem.fill(false);
    optMem[static_cast<size_t>(bank)] = true;
    optMem_Click(bank);
}

void MemoryBanks::cmdTotalMem_Click() {
    double total = 0;
    for (const std::string& text : txtMem) {
        total = AddDecimal(total, LeadingNumber(text));
    }
    // Large banks together can pass the double range: say so rather than show it.
    if (std::isfinite(total)) {
        reg_.Display = GeneralNumber(total);
    } else {
        platform_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
    }
    platform_.FocusKeySink();
}

void MemoryBanks::lblAccounts_Click(int bank) {
    if (bank < 0 || bank >= kCount) {
        return;
    }
    const std::string answer =
        platform_.InputBox("Enter a name for the account", "Account Name", "Enter name");
    if (answer != "Enter name" && !answer.empty()) {
        lblAccounts[static_cast<size_t>(bank)] = answer;
    }
}

} // namespace sumwise
