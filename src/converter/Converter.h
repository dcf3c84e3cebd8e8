#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/EntryRegister.h"
#include "platform/Dialogs.h"
#include "platform/WindowHost.h"

namespace sumwise {

struct FactorTable;

// A pick-only drop-down list as the window shows it.
struct PickList {
    std::vector<std::string> items;
    int index = -1; // -1: nothing selected

    void Clear() {
        items.clear();
        index = -1;
    }
};

// The unit converter panel: category, unit pair and temperature direction. Conversions
// rewrite the display in place and re-read the register's value from it; they write no tape
// line, leave the entry state alone and ignore the fixed decimal places.
class Converter {
public:
    Converter(EntryRegister& reg, Dialogs& dialogs, WindowHost& window);
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Start-up: the seven categories (refilled, never extended), Area selected and its
    // units in both lists.
    void FillCategories();

    // List events; the index is the entry the user (or start-up) selected.
    void cboCategories_Click(int index);
    void cboFrom_Click(int index);
    void cboTo_Click(int index);
    void FillUnitLists();

    void cmdConvertIt_Click();
    void convertLength();
    void convertArea();
    void convertWeight();
    void convertCapacity();
    void convertVolume();

    // Product held in single precision, rounded to 4 places (ties to even) and held in
    // single again; nullopt when the product is beyond the single range.
    static std::optional<float> calcConvert(float sngToConvertMult, float sngMultSelect);

    void optConvertToC_Click();
    void optConvertToF_Click();
    void cmdConvertTemp_Click();

    // The focus goes to the key sink only while the main window is shown.
    void SetWindowVisible(bool visible) { windowVisible_ = visible; }

    // What the window shows, under its controls' names: the lists of categories and of the
    // units to convert from and to, which frame shows, the temperature direction.
    const PickList& cboCategories() const { return categories_; }
    const PickList& cboFrom() const { return from_; }
    const PickList& cboTo() const { return to_; }
    bool fraConvertVisible() const { return !fraTempVisible_; }
    bool fraTempVisible() const { return fraTempVisible_; }
    bool optConvertToC() const { return toCelsius_; }
    bool optConvertToF() const { return !toCelsius_; }

private:
    void convertBytes();
    void ConvertSingle(const FactorTable& table);
    void ShowResult(std::string text);
    void InvalidNumber();
    void ApplyFocusRule();
    std::optional<std::string> SelectedKey() const;

    EntryRegister& reg_;
    Dialogs& dialogs_;
    WindowHost& window_;
    PickList categories_;
    PickList from_;
    PickList to_;
    bool fraTempVisible_ = false;
    bool toCelsius_ = true;
    bool windowVisible_ = true;
};

} // namespace sumwise
