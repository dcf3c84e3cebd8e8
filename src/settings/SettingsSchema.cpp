#include "settings/SettingsSchema.h"

#include <charconv>
#include <cmath>

#include "number/Characters.h"
#include "number/NumberGrammar.h"
#include "number/NumberText.h"
#include "settings/ProfileText.h"
#include "settings/SettingsFile.h"

namespace sumwise {

namespace {

constexpr double kMaxPosition = 2147483647.0;

bool SameWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != word[i]) {
            return false;
        }
    }
    return true;
}

// Values is SettingsValues or const SettingsValues.
template <class Values> auto& TextField(Values& values, SettingId id) {
    const auto index = static_cast<std::size_t>(id);
    if (id >= SettingId::Account0) {
        return values.Account[index - static_cast<std::size_t>(SettingId::Account0)];
    }
    return values.Mem[index - static_cast<std::size_t>(SettingId::Mem0)];
}

template <class Values> auto* BooleanField(Values& values, SettingId id) {
    switch (id) {
    case SettingId::OnTop:
        return &values.OnTop;
    case SettingId::Banks:
        return &values.Banks;
    case SettingId::Converter:
        return &values.Converter;
    case SettingId::Tape:
        return &values.Tape;
    default:
        break;
    }
    if (id >= SettingId::optMem0 && id <= SettingId::optMem4) {
        return &values.optMem[static_cast<std::size_t>(id) -
                              static_cast<std::size_t>(SettingId::optMem0)];
    }
    return static_cast<decltype(&values.OnTop)>(nullptr);
}

} // namespace

std::string DefaultSettingsText() {
    std::string text = "[" + std::string(kSettingsSection) + "]\r\n";
    for (const SettingKey& key : kSettingsSchema) {
        text += std::string(key.name) + "=" + std::string(key.defaultValue) + "\r\n";
    }
    return text;
}

bool WriteDefaultSettings(FileOps& files, const std::string& fileName) {
    return files.WriteFileAtomic(fileName, DefaultSettingsText());
}

std::optional<double> NumberFromText(std::string_view text) {
    // Sign, digits with an optional fraction, an optional exponent: nothing else, so that
    // from_chars never sees "inf", "nan" or hexadecimal.
    text = Trim(text);
    if (!ScanNumber(text, kSettingsNumber)) {
        return std::nullopt;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> BooleanFromText(std::string_view text) {
    const std::string_view word = Trim(text);
    if (SameWord(word, "true")) {
        return true;
    }
    if (SameWord(word, "false")) {
        return false;
    }
    if (const std::optional<double> number = NumberFromText(word)) {
        return *number != 0;
    }
    return std::nullopt;
}

std::optional<double> PositionFromText(std::string_view text) {
    const std::optional<double> value = NumberFromText(text);
    if (!value || std::fabs(*value) > kMaxPosition) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> DecimalPlacesFromText(std::string_view text) {
    const std::optional<double> value = NumberFromText(text);
    if (!value) {
        return std::nullopt;
    }
    const double whole = std::nearbyint(*value);
    if (whole < 0 || whole > 6) {
        return std::nullopt;
    }
    return static_cast<int>(whole);
}

std::string BooleanText(bool value) {
    return value ? "True" : "False";
}

std::string PositionText(double twips) {
    return GeneralNumber(twips);
}

SettingsValues::SettingsValues() {
    for (const SettingKey& key : kSettingsSchema) {
        SetSettingFromText(*this, key.id, key.defaultValue);
    }
}

std::string SettingText(const SettingsValues& values, SettingId id) {
    switch (SettingOf(id).type) {
    case SettingType::Position:
        return PositionText(id == SettingId::Left ? values.Left : values.Top);
    case SettingType::Boolean:
        return BooleanText(*BooleanField(values, id));
    case SettingType::DecimalPlaces:
        return std::to_string(values.Points);
    case SettingType::Text:
        break;
    }
    return TextField(values, id);
}

bool SetSettingFromText(SettingsValues& values, SettingId id, std::string_view text) {
    switch (SettingOf(id).type) {
    case SettingType::Position: {
        const std::optional<double> position = PositionFromText(text);
        if (position) {
            (id == SettingId::Left ? values.Left : values.Top) = *position;
        }
        return position.has_value();
    }
    case SettingType::Boolean: {
        const std::optional<bool> flag = BooleanFromText(text);
        if (flag) {
            *BooleanField(values, id) = *flag;
        }
        return flag.has_value();
    }
    case SettingType::DecimalPlaces: {
        const std::optional<int> places = DecimalPlacesFromText(text);
        if (places) {
            values.Points = *places;
        }
        return places.has_value();
    }
    case SettingType::Text:
        break;
    }
    TextField(values, id) = std::string(text);
    return true;
}

namespace {

constexpr std::array<std::string_view, kSettingCount> KeyNames() {
    std::array<std::string_view, kSettingCount> names{};
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        names[i] = kSettingsSchema[i].name;
    }
    return names;
}
constexpr std::array<std::string_view, kSettingCount> kKeyNames = KeyNames();

} // namespace

SettingsValues SettingsValuesFromText(std::string_view profileText, bool* hasSection) {
    const ProfileValues found = FindProfileValues(profileText, kSettingsSection, kKeyNames);
    if (hasSection != nullptr) {
        *hasSection = found.sectionFound;
    }
    SettingsValues values;
    for (const SettingKey& key : kSettingsSchema) {
        const std::optional<std::string>& stored = found.values[static_cast<std::size_t>(key.id)];
        const std::string_view text = FirstChars(
            stored ? std::string_view(*stored) : key.defaultValue, kMaxProfileValueChars);
        if (!SetSettingFromText(values, key.id, text)) {
            SetSettingFromText(values, key.id, key.defaultValue);
        }
    }
    return values;
}

SettingsValues LoadSettingsValues(FileOps& files, const std::string& fileName) {
    const std::optional<std::string> text = ReadProfileText(files, fileName);
    return text ? SettingsValuesFromText(*text) : SettingsValues();
}

bool SaveSettingsValues(FileOps& files, const std::string& fileName, const SettingsValues& values,
                        std::string* failure) {
    const auto fail = [&](std::string why) {
        if (failure != nullptr) {
            *failure = std::move(why);
        }
        return false;
    };
    std::string onDisk;
    std::optional<std::string> text = TextToRewrite(files, fileName, &onDisk);
    if (!text) {
        return fail(files.FailureText());
    }
    std::array<std::string, kSettingCount> texts;
    std::array<ProfileWrite, kSettingCount> writes;
    for (const SettingKey& key : kSettingsSchema) {
        const auto i = static_cast<std::size_t>(key.id);
        texts[i] = SettingText(values, key.id);
        writes[i] = {key.name, texts[i]};
    }
    const std::vector<bool> accepted = SetProfileValues(*text, kSettingsSection, writes);
    // A file that already holds these very bytes is only marked as written now: rewriting it
    // would cost a flush to the disk at every start and exit for nothing.
    const bool unchanged = !onDisk.empty() && *text == onDisk && files.Touch(fileName);
    if (!unchanged && !files.WriteFileAtomic(fileName, *text)) {
        return fail(files.FailureText());
    }
    for (const SettingKey& key : kSettingsSchema) {
        if (!accepted[static_cast<std::size_t>(key.id)]) {
            return fail(fileName + ": " + std::string(key.name) +
                        " holds a line break and keeps its old value");
        }
    }
    return true;
}

int SelectedBankAfterLoad(const SettingsValues& values) {
    for (int bank = static_cast<int>(kBankCount) - 1; bank >= 0; --bank) {
        if (values.optMem[static_cast<std::size_t>(bank)]) {
            return bank;
        }
    }
    return -1;
}

} // namespace sumwise
