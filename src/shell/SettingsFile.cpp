#include "shell/SettingsFile.h"

#include "shell/ProfileText.h"
#include "shell/TextEncoding.h"

namespace sumwise {

bool FileExists(FileOps& files, const std::string& fileName) {
    return files.Exists(fileName);
}

std::optional<std::string> ReadProfileText(FileOps& files, const std::string& fileName) {
    std::string bytes;
    if (!files.Exists(fileName) || !files.ReadFile(fileName, bytes)) {
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

std::optional<std::string> TextToRewrite(FileOps& files, const std::string& fileName) {
    if (!files.Exists(fileName)) {
        return std::string();
    }
    return ReadProfileText(files, fileName);
}

bool WriteIniString(FileOps& files, const std::string& section, const std::string& key,
                    const std::string& value, const std::string& fileName) {
    std::optional<std::string> text = TextToRewrite(files, fileName);
    return text && SetProfileValue(*text, section, key, value) &&
           files.WriteFileAtomic(fileName, *text);
}

} // namespace sumwise
