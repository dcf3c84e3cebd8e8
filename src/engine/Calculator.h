#pragma once

#include <string>

#include "engine/EntryRegister.h"
#include "platform/Dialogs.h"
#include "platform/WindowHost.h"
#include "tape/Tape.h"

namespace sumwise {

class ErrorLog;

// Operator key index of cmdOperator_Click.
enum OperatorKey { kDivide = 0, kPlus = 1, kTimes = 2, kMinus = 3, kEquals = 4 };

// The adding-machine logic: operators applied strictly left to right, the running total,
// the close of a calculation with "=", new totals, the C key and the grand total.
class Calculator {
public:
    Calculator(EntryRegister& reg, Tape& tape, Dialogs& dialogs, WindowHost& window,
               ErrorLog& errors);

    double RunningTotal = 0;
    double Operand = 0;
    double LastEntry = 0;
    int StepCount = 0;
    std::string LastOperator = "+";
    bool TotalClosed = false;
    bool ClearPressed = false;

    double GrandTotal = 0;
    std::string GrandTotalLabel;     // lblGrandTotal
    std::string OperatorLabel = "+"; // lblOperator

    void cmdOperator_Click(int index);
    void StartNewTotal(bool addToGrandTotal);
    void cmdCancel_Click();
    void cmdGrandTotal_Click();
    // sqrt (0), percent of the running total (1), reciprocal (2).
    void cmdFunction_Click(int index);

private:
    void WriteCarriedTotal(int index, double value);
    // Applies LastOperator to RunningTotal and Operand; division by zero and overflow keep
    // the total and tell the user.
    void ApplyPendingOperator();

    EntryRegister& reg_;
    Tape& tape_;
    Dialogs& dialogs_;
    WindowHost& window_;
    ErrorLog& errors_;
};

} // namespace sumwise
