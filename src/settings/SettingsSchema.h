#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileOps.h"

namespace sumwise {

inline constexpr const char* kSettingsFileName = "Sumwise.ini";
inline constexpr const char* kBackupFileName = "Sumwise.sbk";
inline constexpr const char* kSettingsSection = "Settings";

// The keys of the settings file, in the order they stand in it and are read and written.
enum class SettingId : std::size_t {
    Left,
    Top,
    OnTop,
    Mem0,
    Mem1,
    Mem2,
    Mem3,
    Mem4,
    optMem0,
    optMem1,
    optMem2,
    optMem3,
    optMem4,
    Banks,
    Converter,
    Tape,
    Points,
    Account0,
    Account1,
    Account2,
    Account3,
    Account4,
};
inline constexpr std::size_t kSettingCount = 22;
inline constexpr std::size_t kBankCount = 5;

enum class SettingType {
    Position,      // window edge in twips, decimal number text
    Boolean,       // "True" or "False"
    Text,          // kept character for character
    DecimalPlaces, // index of the decimal-place list, "0" to "6"
};

// Who holds the value while the program runs.
enum class SettingOwner { MainWindow, MemoryBanks, DecimalPlaces };

struct SettingKey {
    SettingId id;
    std::string_view name;
    SettingType type;
    std::string_view defaultValue; // also the value a missing or unreadable key loads as
    SettingOwner owner;
};

// The one table of the settings: loading, saving and the default file all read it.
// Iterate it in order: for (const SettingKey& key : kSettingsSchema) ...
inline constexpr std::array<SettingKey, kSettingCount> kSettingsSchema = {{
    {SettingId::Left, "Left", SettingType::Position, "1000", SettingOwner::MainWindow},
    {SettingId::Top, "Top", SettingType::Position, "1000", SettingOwner::MainWindow},
    {SettingId::OnTop, "OnTop", SettingType::Boolean, "False", SettingOwner::MainWindow},
    {SettingId::Mem0, "Mem0", SettingType::Text, "0", SettingOwner::MemoryBanks},
    {SettingId::Mem1, "Mem1", SettingType::Text, "0", SettingOwner::MemoryBanks},
    {SettingId::Mem2, "Mem2", SettingType::Text, "0", SettingOwner::MemoryBanks},
    {SettingId::Mem3, "Mem3", SettingType::Text, "0", SettingOwner::MemoryBanks},
    {SettingId::Mem4, "Mem4", SettingType::Text, "0", SettingOwner::MemoryBanks},
    {SettingId::optMem0, "optMem0", SettingType::Boolean, "True", SettingOwner::MemoryBanks},
    {SettingId::optMem1, "optMem1", SettingType::Boolean, "False", SettingOwner::MemoryBanks},
    {SettingId::optMem2, "optMem2", SettingType::Boolean, "False", SettingOwner::MemoryBanks},
    {SettingId::optMem3, "optMem3", SettingType::Boolean, "False", SettingOwner::MemoryBanks},
    {SettingId::optMem4, "optMem4", SettingType::Boolean, "False", SettingOwner::MemoryBanks},
    {SettingId::Banks, "Banks", SettingType::Boolean, "True", SettingOwner::MainWindow},
    {SettingId::Converter, "Converter", SettingType::Boolean, "False", SettingOwner::MainWindow},
    {SettingId::Tape, "Tape", SettingType::Boolean, "True", SettingOwner::MainWindow},
    {SettingId::Points, "Points", SettingType::DecimalPlaces, "2", SettingOwner::DecimalPlaces},
    {SettingId::Account0, "Account0", SettingType::Text, "Account", SettingOwner::MemoryBanks},
    {SettingId::Account1, "Account1", SettingType::Text, "Account", SettingOwner::MemoryBanks},
    {SettingId::Account2, "Account2", SettingType::Text, "Account", SettingOwner::MemoryBanks},
    {SettingId::Account3, "Account3", SettingType::Text, "Account", SettingOwner::MemoryBanks},
    {SettingId::Account4, "Account4", SettingType::Text, "Account", SettingOwner::MemoryBanks},
}};

// A key's id is its place in the table.
constexpr bool SchemaIsInIdOrder() {
    for (std::size_t i = 0; i < kSettingsSchema.size(); ++i) {
        if (static_cast<std::size_t>(kSettingsSchema[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(SchemaIsInIdOrder());

constexpr const SettingKey& SettingOf(SettingId id) {
    return kSettingsSchema[static_cast<std::size_t>(id)];
}

// The content of a new settings or backup file: the section line and every key with its
// default, each line ended by CR LF.
std::string DefaultSettingsText();

// Creates or empties the file and writes the default content; false when it cannot.
bool WriteDefaultSettings(FileOps& files, const std::string& fileName);

// Value texts as loading reads them; nullopt when the text does not convert.
// "True"/"False" in any letter case, or a number: zero false, any other true.
std::optional<bool> BooleanFromText(std::string_view text);
// Decimal number text ("1000", "-12.5", "1E+3"), blanks around allowed; finite only.
std::optional<double> NumberFromText(std::string_view text);
// A number within +-2147483647 twips, so any window system can place it.
std::optional<double> PositionFromText(std::string_view text);
// A number rounded to the nearest whole (halves to even), 0 to 6.
std::optional<int> DecimalPlacesFromText(std::string_view text);

// Texts as saving writes them.
std::string BooleanText(bool value);
std::string PositionText(double twips); // "1000"; a fraction only where there is one

// All 22 values, typed. A default-made one holds the defaults of the table.
struct SettingsValues {
    SettingsValues();

    double Left = 0;
    double Top = 0;
    bool OnTop = false;
    std::array<std::string, kBankCount> Mem;
    std::array<bool, kBankCount> optMem{};
    bool Banks = false;
    bool Converter = false;
    bool Tape = false;
    int Points = 0;
    std::array<std::string, kBankCount> Account;
};

// One value as its key's text in the file.
std::string SettingText(const SettingsValues& values, SettingId id);

// Sets one value from its text; false, leaving it unchanged, when the text does not convert.
bool SetSettingFromText(SettingsValues& values, SettingId id, std::string_view text);

// The values in a settings file's text, read in one pass: a missing key, or a value that does
// not convert, gives that key's default. hasSection: whether the text has a [Settings] section.
SettingsValues SettingsValuesFromText(std::string_view profileText, bool* hasSection = nullptr);

// The values in a settings file; a file that is missing or cannot be read gives the defaults.
SettingsValues LoadSettingsValues(FileOps& files, const std::string& fileName);

// Writes all 22 keys in one read and one replacement of the file, with the result of 22
// single writes: existing keys change in their lines, missing ones are added at the end of
// the section, everything else stays. False when the file is left unchanged, or when a value
// could not be written (a line break in it; that key keeps its old line and the others are
// saved); then failure, when given, says why, naming the file with its folder:
// "/home/ann/.config/sumwise/Sumwise.ini: Permission denied".
bool SaveSettingsValues(FileOps& files, const std::string& fileName, const SettingsValues& values,
                        std::string* failure = nullptr);

// The bank option that is on after loading: the five options form one group, so the
// highest-numbered one that is "True" wins; -1 when none is.
int SelectedBankAfterLoad(const SettingsValues& values);

} // namespace sumwise
