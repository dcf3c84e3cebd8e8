#include "settings/SettingsFile.h"

#include "settings/ProfileText.h"
#include "settings/TextEncoding.h"

namespace sumwise {

bool FileExists(FileOps& files, const std::string& fileName) {
    return files.Exists(fileName);
}

std::optional<std::string> ReadProfileText(FileOps& files, const std::string& fileName) {
    std::string bytes;
    if (!files.ReadFile(fileName, bytes)) {
        return std::nullopt;
    }
    return Utf8FromFileBytes(bytes);
}

std::string ReadIniString(FileOps& files, const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& fileName) {
    const std::optional<std::string> text = ReadProfileText(files, fileName);
    if (!text) {
        return "";
    }
    return GetProfileValue(*text, section, key, defaultValue);
}

std::optional<std::string> TextToRewrite(FileOps& files, const std::string& fileName,
                                         std::string* onDisk) {
    std::string bytes;
    switch (ReadIfExists(files, fileName, bytes)) {
    case ReadOutcome::Read:
        if (onDisk != nullptr) {
            *onDisk = bytes;
        }
        return Utf8FromFileBytes(bytes);
    case ReadOutcome::Missing:
        return std::string();
    case ReadOutcome::Failed:
        break;
    }
    return std::nullopt;
}

bool WriteIniString(FileOps& files, const std::string& section, const std::string& key,
                    const std::string& value, const std::string& fileName) {
    std::optional<std::string> text = TextToRewrite(files, fileName);
    return text && SetProfileValue(*text, section, key, value) &&
           files.WriteFileAtomic(fileName, *text);
}

} // namespace sumwise
