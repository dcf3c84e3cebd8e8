#include "converter/Converter.h"

#include <cmath>

#include "converter/Categories.h"
#include "converter/ConvertNumber.h"
#include "converter/FactorTables.h"
#include "converter/Temperature.h"
#include "number/NumberText.h"
#include "platform/ErrorLog.h"

namespace sumwise {

namespace {

bool Selects(const PickList& list, int index) {
    return index >= 0 && static_cast<size_t>(index) < list.items.size();
}

} // namespace

Converter::Converter(EntryRegister& reg, Dialogs& dialogs, WindowHost& window)
    : reg_(reg), dialogs_(dialogs), window_(window) {}

void Converter::FillCategories() {
    categories_.Clear();
    for (const auto name : CategoryNames()) {
        categories_.items.emplace_back(name);
    }
    cboCategories_Click(kCategoryArea);
}

void Converter::cboCategories_Click(int index) {
    if (Selects(categories_, index)) {
        categories_.index = index;
    }
    from_.Clear();
    to_.Clear();
    FillUnitLists();
    fraTempVisible_ = categories_.index == kCategoryTemperature;
    ApplyFocusRule();
}

void Converter::cboFrom_Click(int index) {
    if (Selects(from_, index)) {
        from_.index = index;
    }
    ApplyFocusRule();
}

void Converter::cboTo_Click(int index) {
    if (Selects(to_, index)) {
        to_.index = index;
    }
    ApplyFocusRule();
}

void Converter::FillUnitLists() {
    // Refilled rather than appended to, so a second fill never doubles the lists.
    from_.Clear();
    to_.Clear();
    const auto units = UnitNames(categories_.index);
    if (units.empty()) {
        return;
    }
    for (const auto name : units) {
        from_.items.emplace_back(name);
        to_.items.emplace_back(name);
    }
    cboFrom_Click(0);
    cboTo_Click(1);
}

void Converter::cmdConvertIt_Click() {
    reg_.TakeAsTyped();
    switch (categories_.index) {
    case kCategoryArea:
        convertArea();
        break;
    case kCategoryBytes:
        convertBytes();
        break;
    case kCategoryCapacity:
        convertCapacity();
        break;
    case kCategoryLength:
        convertLength();
        break;
    case kCategoryVolume:
        convertVolume();
        break;
    case kCategoryWeight:
        convertWeight();
        break;
    default:
        break;
    }
    ApplyFocusRule();
}

void Converter::convertLength() {
    ConvertSingle(LengthFactors());
}

void Converter::convertArea() {
    ConvertSingle(AreaFactors());
}

void Converter::convertWeight() {
    ConvertSingle(WeightFactors());
}

void Converter::convertCapacity() {
    ConvertSingle(CapacityFactors());
}

void Converter::convertVolume() {
    ConvertSingle(VolumeFactors());
}

std::optional<float> Converter::calcConvert(float sngToConvertMult, float sngMultSelect) {
    const float product = sngToConvertMult * sngMultSelect;
    if (!std::isfinite(product)) {
        return std::nullopt;
    }
    return RoundSingle(product, 4);
}

void Converter::ConvertSingle(const FactorTable& table) {
    // The text is read before the pair is looked at, so unreadable text fails for every pair.
    const auto value = ReadSingle(reg_.Display());
    if (!value) {
        InvalidNumber();
        return;
    }
    const auto key = SelectedKey();
    if (!key) {
        return;
    }
    const auto factor = LookUpFactor(table, *key);
    if (!factor) {
        return;
    }
    const auto result = calcConvert(*value, *factor);
    if (!result) {
        InvalidNumber();
        return;
    }
    ShowResult(SingleText(*result));
}

void Converter::convertBytes() {
    const auto key = SelectedKey();
    if (!key) {
        return;
    }
    if ((*key)[0] == (*key)[1]) {
        // Nothing is parsed, so even "." stays as it is.
        ShowResult(reg_.Display());
        return;
    }
    const auto value = ReadDouble(reg_.Display());
    if (!value) {
        InvalidNumber();
        return;
    }
    const auto scaled = ScaleBytes(*value, *key);
    if (!scaled) {
        return;
    }
    if (!std::isfinite(*scaled)) {
        InvalidNumber();
        return;
    }
    ShowResult(GeneralNumber(RoundDouble(*scaled, 6)));
}

void Converter::optConvertToC_Click() {
    toCelsius_ = true;
    ApplyFocusRule();
}

void Converter::optConvertToF_Click() {
    toCelsius_ = false;
    ApplyFocusRule();
}

void Converter::cmdConvertTemp_Click() {
    const auto value = ReadDouble(reg_.Display());
    if (!value) {
        InvalidNumber();
        return;
    }
    const auto result = toCelsius_ ? FahrenheitToCelsius(*value) : CelsiusToFahrenheit(*value);
    if (!result) {
        InvalidNumber();
        return;
    }
    ShowResult(SingleText(*result));
    ApplyFocusRule();
}

void Converter::ShowResult(std::string text) {
    reg_.ShowNumberText(std::move(text));
    reg_.MarkResult();
}

void Converter::InvalidNumber() {
    dialogs_.MsgBox(kInvalidNumberMessage, kAppTitle, MsgIcon::Information, MsgButtons::Ok);
}

void Converter::ApplyFocusRule() {
    if (windowVisible_) {
        window_.FocusKeySink();
    }
}

std::optional<std::string> Converter::SelectedKey() const {
    if (from_.index < 0 || to_.index < 0) {
        return std::nullopt;
    }
    return PairKey(from_.index, to_.index);
}

} // namespace sumwise
