// The options beyond the adding machine's own keys: add mode, item count, the tax rate and
// the window's size.
#include <algorithm>

#include "form/SettingsController.h"
#include "platform/AppIdentity.h"

namespace sumwise {

void SettingsController::Say(const std::string& text, MsgIcon icon) {
    dialogs_.MsgBox(text, kAppTitle, icon, MsgButtons::Ok);
}

std::string SettingsController::OptionsPath() const {
    return desktop_.ProgramFolder() + "/" + kOptionsFileName;
}

void SettingsController::LoadOptionsFile() {
    options_ = LoadOptions(files_, OptionsPath());
    // Anything but a file in its place is never opened; the defaults hold, and the user
    // learns why the options did not come back.
    if (files_.LastFailure().reason == kNotRegularFile) {
        Say("The options file \"" + OptionsPath() + "\" cannot be used: it is " + kNotRegularFile +
                ". Sumwise has started with the default options.",
            MsgIcon::Exclamation);
    }
    ApplyOptions();
}

void SettingsController::ApplyOptions() {
    owners_.reg.SetAddMode(options_.addMode);
    owners_.calc.SetCountItems(options_.itemCount);
}

void SettingsController::SaveOptionsFile() {
    ApplyOptions();
    // Written when changed, so a run that never touches an option writes no file.
    if (!SaveOptions(files_, OptionsPath(), options_)) {
        Say("The options cannot be saved to \"" + OptionsPath() + "\"" +
                (files_.LastFailure().reason.empty() ? "."
                                                     : ": " + files_.LastFailure().reason + "."),
            MsgIcon::Exclamation);
    }
}

void SettingsController::mnuAddMode_Click() {
    options_.addMode = !options_.addMode;
    SaveOptionsFile();
    window_.FocusKeySink();
}

void SettingsController::mnuItemCount_Click() {
    options_.itemCount = !options_.itemCount;
    SaveOptionsFile();
    window_.FocusKeySink();
}

void SettingsController::SetKeepHistory(bool keep) {
    if (keep != options_.keepHistory) {
        options_.keepHistory = keep;
        SaveOptionsFile();
    }
}

void SettingsController::KeepWindowSize(int widthTwips, int heightTwips) {
    if (widthTwips == options_.windowWidth && heightTwips == options_.windowHeight) {
        return;
    }
    options_.windowWidth = widthTwips;
    options_.windowHeight = heightTwips;
    SaveOptionsFile();
}

void SettingsController::mnuTaxRate_Click() {
    std::string proposal = options_.taxRate ? TaxRateText(*options_.taxRate) : "";
    // A refused rate is said, and the box comes back with it to mend, until OK or Cancel.
    while (const std::optional<std::string> answer =
               dialogs_.AskText("Tax rate in percent (0 to 100):", kAppTitle, proposal)) {
        std::string text = *answer;
        if (desktop_.LocaleDecimalComma()) {
            // "7,5" as the user's locale writes it.
            std::replace(text.begin(), text.end(), ',', '.');
        }
        if (const std::optional<double> rate = ReadTaxRate(text)) {
            options_.taxRate = rate;
            SaveOptionsFile();
            break;
        }
        Say("\"" + *answer +
                "\" is not a tax rate. Please enter a tax rate from 0 to 100 with at most four "
                "decimals.",
            MsgIcon::Exclamation);
        proposal = *answer;
    }
    window_.FocusKeySink();
}

void SettingsController::TaxKey(bool add) {
    if (!options_.taxRate) {
        mnuTaxRate_Click();
    }
    if (options_.taxRate) {
        owners_.calc.ApplyTax(*options_.taxRate, add);
    }
    window_.FocusKeySink();
}

std::string SettingsController::lblItems() const {
    if (!owners_.calc.CountItems()) {
        return {};
    }
    const int items = owners_.calc.ItemCount();
    return std::to_string(items) + (items == 1 ? " item" : " items");
}

} // namespace sumwise
