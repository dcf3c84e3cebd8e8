#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sumwise {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

// The modal dialogs the core opens.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal message box; returns the button the user chose.
    virtual MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) = 0;

    // A message that takes no keys: the user goes on typing while it shows, for a failure
    // found while typing. Where no window can do that, it is a message box.
    virtual void Notice(const std::string& text, const std::string& title, MsgIcon icon) {
        MsgBox(text, title, icon, MsgButtons::Ok);
    }

    // A modal input box with a proposed answer; returns the answer, empty on Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& proposal) = 0;

    // An input box that tells Cancel (nullopt) from an empty answer.
    virtual std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                               const std::string& proposal) {
        std::string answer = InputBox(prompt, title, proposal);
        if (answer.empty()) {
            return std::nullopt;
        }
        return answer;
    }

    // A file dialog for a file to read; the full path chosen, empty on Cancel. filter as
    // "Tape files (*.tape)".
    virtual std::string OpenFileName(const std::string& title, const std::string& filter) {
        (void)title;
        (void)filter;
        return {};
    }
    // A file dialog for a file to write, with the name field focused; suffix ("tape") is
    // added to a name typed without one. Empty on Cancel.
    virtual std::string SaveFileName(const std::string& title, const std::string& filter,
                                     const std::string& suffix) {
        (void)title;
        (void)filter;
        (void)suffix;
        return {};
    }
    // SaveFileName offering several types of file, filters[chosen] preselected; on a file
    // chosen, chosen is the type the user left selected.
    virtual std::string SaveFileNameOfType(const std::string& title,
                                           const std::vector<std::string>& filters,
                                           std::size_t& chosen, const std::string& suffix) {
        return SaveFileName(title, filters.at(chosen), suffix);
    }
};

} // namespace sumwise
