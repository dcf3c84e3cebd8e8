#pragma once

#include <cstdint>
#include <string>

#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "engine/KeyCommand.h"
#include "engine/MarginMarkup.h"
#include "platform/Platform.h"

namespace sumwise {

// A fixed-point currency amount in ten-thousandths, as a host passes to SetStartValue.
struct Currency {
    std::int64_t tenThousandths = 0;
    double Value() const { return static_cast<double>(tenThousandths) / 10000.0; }
};

// The keypad and the display: digits, operators, functions and totals go to the engine, and
// the display's texts come back from it. Also the value-picker interface of a host program.
class KeysController {
public:
    KeysController(EntryRegister& reg, Calculator& calc, DesktopServices& desktop,
                   WindowHost& window)
        : reg_(reg), calc_(calc), desktop_(desktop), window_(window) {}

    // Runs a command of the keypad; false for any other command, which is not its own.
    bool Execute(const KeyCommand& key);

    void cmdNumber_Click(int digit);
    void cmdDecimal_Click();
    void cmdBackspace_Click();
    void cmdCancelEntry_Click();
    void cmdNegitive_Click(); // the sign key, under the window's own name
    void cboDecPlace_Click(int position);
    void cmdOperator_Click(int index) { calc_.cmdOperator_Click(index); }
    void cmdFunction_Click(int index) { calc_.cmdFunction_Click(index); }
    void cmdCancel_Click();
    void StartNewTotal(bool addToGrandTotal) { calc_.StartNewTotal(addToGrandTotal); }
    void cmdGrandTotal_Click();
    void cmdSave_Click();
    void cmdClose_Click();
    void mnuExit_Click() { cmdClose_Click(); }
    void mnuCopy_Click();
    void mnuPaste_Click();
    // Edit > Margin and Markup: a fresh calculation whose cost is the display's value.
    MarginMarkup& mnuMargin_Click();
    MarginMarkup& Margin() { return margin_; }
    // A field's Use: its value into the display as a result, the calculation as the note of
    // its entry line. False, and the dialog stays, when there is nothing to use.
    bool UseMargin(MarginField field);

    void SetStartValue(Currency value);
    void DepositNumber(std::int32_t value) { deposit_ = value; }
    std::int32_t Deposit() const { return deposit_; }
    // "OK" once Save Result hid the window.
    const std::string& SaveTag() const { return saveTag_; }

    // What the display shows.
    const std::string& lblResult() const { return reg_.Display(); }
    std::string lblOperator() const { return std::string(calc_.OperatorLabel()); }
    const std::string& lblGrandTotal() const { return calc_.GrandTotalLabel(); }
    int DecimalPlaces() const { return decPlace_; }

private:
    EntryRegister& reg_;
    Calculator& calc_;
    DesktopServices& desktop_;
    WindowHost& window_;
    int decPlace_ = 0;
    std::string saveTag_;
    std::int32_t deposit_ = 0;
    MarginMarkup margin_;
};

} // namespace sumwise
