#include "memory/MemoryBanks.h"

#include <cmath>

#include "number/Arithmetic.h"
#include "number/NumberText.h"
#include "platform/ErrorLog.h"

namespace sumwise {

MemoryBanks::MemoryBanks(EntryRegister& reg, Dialogs& dialogs, WindowHost& window)
    : reg_(reg), dialogs_(dialogs), window_(window) {
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
    if (index == kMemPlus || index == kMemMinus) {
        reg_.TakeAsTyped(); // a bank takes a number as its digits were keyed
    }
    double result = 0;
    switch (index) {
    case kMemPlus:
        result = AddDecimal(bank, reg_.EntryValue());
        break;
    case kMemMinus:
        result = SubtractDecimal(bank, reg_.EntryValue());
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
            dialogs_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        }
    }
    reg_.MarkKeyed();
    // The recalled or stored amount stands on its own: a digit keyed next starts a new number.
    if (index != kMemClear) {
        reg_.MarkResult();
    }
    window_.FocusKeySink();
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
    window_.FocusKeySink();
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
        reg_.ShowText(GeneralNumber(total));
    } else {
        dialogs_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
    }
    window_.FocusKeySink();
}

void MemoryBanks::lblAccounts_Click(int bank) {
    if (bank < 0 || bank >= kCount) {
        return;
    }
    const std::string answer =
        dialogs_.InputBox("Enter a name for the account", "Account Name", "Enter name");
    if (answer != "Enter name" && !answer.empty()) {
        lblAccounts[static_cast<size_t>(bank)] = AccountNameFrom(answer);
    }
}

std::string AccountNameFrom(std::string_view answer) {
    // The settings file keeps a name on one line of at most kMaxAccountNameChars characters.
    std::string name;
    name.reserve(answer.size());
    std::size_t chars = 0;
    for (std::size_t i = 0; i < answer.size(); ++i) {
        char c = answer[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < answer.size() && answer[i + 1] == '\n') {
                ++i;
            }
            c = ' ';
        }
        // A UTF-8 continuation byte belongs to the character before it.
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation && ++chars > kMaxAccountNameChars) {
            break;
        }
        name.push_back(c);
    }
    return name;
}

} // namespace sumwise
