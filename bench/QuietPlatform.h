#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Platform.h"

namespace sumwise::bench {

// A platform that answers every call at once and shows nothing, for timing the core alone.
class QuietPlatform : public Platform {
public:
    MsgAnswer MsgBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
        return MsgAnswer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    void FocusKeySink() override {}
    void HideMainWindow() override {}
    void CloseMainWindow() override {}
    void ClipboardClear() override {}
    void ClipboardSetText(const std::string&) override {}
    std::string ClipboardText() override { return {}; }
    void OpenHelp() override {}
    void ShellOpen(const std::string&) override {}
    DateTime Now() override { return {2026, 12, 8, 9, 30, 0}; }
    std::string LongDate(const DateTime&) override { return "December 8, 2026"; }
    std::string ShortTime(const DateTime&) override { return "2:05 PM"; }
    std::unique_ptr<PageSurface> OpenPrinter() override { return nullptr; }
    void SetBusy(bool) override {}
    std::string Environ(const std::string&) override { return {}; }
    // A fresh folder of its own, so no run touches settings files it did not make.
    std::string ProgramFolder() override {
        if (folder_.empty()) {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "sumwise-bench-XXXXXX").string();
            folder_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : "/nonexistent";
        }
        return folder_;
    }
    ~QuietPlatform() override {
        if (folder_.starts_with(std::filesystem::temp_directory_path().string())) {
            std::filesystem::remove_all(folder_);
        }
    }

private:
    std::string folder_;
};

} // namespace sumwise::bench
