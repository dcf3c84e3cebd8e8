// The settings' part of the start-up and shut-down sequences, and the files they load and save.
#include <cstdio>

#include "form/SettingsController.h"
#include "platform/AppIdentity.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsSchema.h"
#include "settings/TextEncoding.h"

namespace sumwise {

namespace {

// Short date, then the time, as a general date reads: "12/8/2026 2:05:09 PM".
std::string GeneralDateText(const DateTime& t) {
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%02d:%02d %s", t.month, t.day, t.year, hour12,
                  t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return buf;
}

std::string AccessErrorText(const std::string& failure) {
    const std::string text = "Path/File access error";
    return failure.empty() ? text : text + ": " + failure;
}

} // namespace

std::string SettingsController::SettingsPath() const {
    return desktop_.ProgramFolder() + "/" + kSettingsFileName;
}

std::string SettingsController::BackupPath() const {
    return desktop_.ProgramFolder() + "/" + kBackupFileName;
}

void SettingsController::Form_Load() {
    const std::string settings = SettingsPath();
    const std::string backup = BackupPath();
    // A save that was killed leaves its temporary file, and nothing else would remove it.
    files_.RemoveStaleTemporaries(settings);
    files_.RemoveStaleTemporaries(backup);
    files_.RemoveStaleTemporaries(OptionsPath());

    // The settings file is read once, and what it holds decides whether it can be used.
    SettingsValues values;
    std::string damage; // why an existing settings file cannot be used
    std::string bytes;
    switch (ReadIfExists(files_, settings, bytes)) {
    case ReadOutcome::Read: {
        bool hasSection = false;
        values = SettingsValuesFromText(Utf8FromFileBytes(bytes), &hasSection);
        if (!hasSection) {
            damage = "it holds no [" + std::string(kSettingsSection) + "] section";
        }
        break;
    }
    case ReadOutcome::Missing:
        // A file that cannot be created means defaults; the program goes on.
        WriteDefaultSettings(files_, settings);
        break;
    case ReadOutcome::Failed:
        damage =
            files_.LastFailure().reason.empty() ? "it cannot be read" : files_.LastFailure().reason;
        break;
    }
    bytes = std::string();
    if (!FileExists(files_, backup)) {
        WriteDefaultSettings(files_, backup);
    }
    ApplySettings(values);
    LoadOptionsFile();
    owners_.converter.FillCategories();
    owners_.banks.optMem_Click(0);
    owners_.converter.FillUnitLists();
    if (damage.empty()) {
        SaveBackup();
        return;
    }
    // The backup still holds the last good state: rewriting it from the defaults would
    // lose the only copy, so it is left alone and the user is told where it is.
    dialogs_.MsgBox("The settings file " + settings + " cannot be used: " + damage +
                        ". Sumwise has started with the default settings. File > Restore "
                        "Backup brings back the last good state.",
                    kAppTitle, MsgIcon::Information, MsgButtons::Ok);
}

void SettingsController::LoadSettings() {
    ApplySettings(LoadSettingsValues(files_, SettingsPath()));
}

void SettingsController::ApplySettings(const SettingsValues& values) {
    view_.Left = values.Left;
    view_.Top = values.Top;
    view_.mnuTop = values.OnTop;
    owners_.banks.txtMem = values.Mem;
    // The options are one group: the highest one on wins, and none may be on.
    const int selected = SelectedBankAfterLoad(values);
    owners_.banks.optMem.fill(false);
    if (selected >= 0) {
        owners_.banks.optMem[static_cast<size_t>(selected)] = true;
    }
    view_.mnuBanks = values.Banks;
    view_.mnuConverter = values.Converter;
    view_.mnuTape = values.Tape;
    owners_.keys.cboDecPlace_Click(values.Points);
    owners_.banks.lblAccounts = values.Account;
}

namespace {

SettingsValues CurrentValues(const ViewState& view, const MemoryBanks& banks, int points) {
    SettingsValues values;
    values.Left = view.Left;
    values.Top = view.Top;
    values.OnTop = view.mnuTop;
    values.Mem = banks.txtMem;
    values.optMem = banks.optMem;
    values.Banks = view.mnuBanks;
    values.Converter = view.mnuConverter;
    values.Tape = view.mnuTape;
    values.Points = points;
    values.Account = banks.lblAccounts;
    return values;
}

} // namespace

// A save that fails is said, not passed over: the banks and names would be lost unseen. The
// message names the file and the system's reason, so the user knows what to fix.
void SettingsController::SaveSettings() {
    std::string failure;
    if (!SaveSettingsValues(files_, SettingsPath(),
                            CurrentValues(view_, owners_.banks, owners_.keys.DecimalPlaces()),
                            &failure)) {
        errors_.LogError(true, "75", AccessErrorText(failure), "frmCalc", "SaveSettings");
    }
}

void SettingsController::SaveBackup() {
    std::string failure;
    if (!SaveSettingsValues(files_, BackupPath(),
                            CurrentValues(view_, owners_.banks, owners_.keys.DecimalPlaces()),
                            &failure)) {
        errors_.LogError(true, "75", AccessErrorText(failure), "frmCalc", "SaveBackup");
    }
}

void SettingsController::mnuRestore_Click() {
    const auto created = files_.LastModified(BackupPath());
    if (!created) {
        dialogs_.MsgBox("There is no backup to restore.", kAppTitle, MsgIcon::Information,
                        MsgButtons::Ok);
        return;
    }
    const MsgAnswer answer = dialogs_.MsgBox(
        "Are you sure you want to restore the backup created " + GeneralDateText(*created) + " ?",
        kAppTitle, MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes) {
        return;
    }
    // Copying replaces the settings file in one step, so it is never lost half way.
    if (!files_.Copy(BackupPath(), SettingsPath())) {
        errors_.LogError(true, "75", AccessErrorText(files_.FailureText()), "frmCalc",
                         "mnuRestore_Click");
        return;
    }
    Form_Load();
}

} // namespace sumwise
