#include "platform/ErrorLog.h"

#include <cstdio>

namespace sumwise {

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string DateField(const DateTime& t) {
    char buf[40];
    if (t.hour == 0 && t.minute == 0 && t.second == 0) {
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d#", t.year, t.month, t.day);
    } else {
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d %02d:%02d:%02d#", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    }
    return buf;
}

} // namespace

std::string ErrorLog::MessageText(const std::string& number, const std::string& description,
                                  const std::string& module, const std::string& routine) {
    std::string text = "Error occured: " + number + "\r\n";
    if (!description.empty()) {
        text += "Description: " + description + "\r\n";
    }
    if (!module.empty()) {
        text += "Module: " + module + "\r\n";
    }
    if (!routine.empty()) {
        text += "Function: " + routine;
    }
    return text;
}

std::string ErrorLog::Record(const DateTime& when, const std::string& number,
                             const std::string& description, const std::string& module,
                             const std::string& routine, const std::string& user,
                             const std::string& computer) {
    const std::string program = std::string(kAppTitle) + " v" + kAppVersion;
    return DateField(when) + "," + Quoted(number) + "," + Quoted(description) + "," +
           Quoted(module) + "," + Quoted(routine) + "," + Quoted(program) + "," + Quoted(user) +
           "," + Quoted(computer) + "\r\n";
}

void ErrorLog::LogError(bool showMessage, const std::string& number, const std::string& description,
                        const std::string& module, const std::string& routine) {
    if (showMessage) {
        dialogs_.MsgBox(MessageText(number, description, module, routine),
                        std::string(kAppTitle) + " - ERROR", MsgIcon::Critical, MsgButtons::Ok);
    }
    // The record carries the time the message was closed. A log that cannot be written is
    // skipped: the failure itself has been shown.
    const std::string record =
        Record(desktop_.Now(), number, description, module, routine, desktop_.Environ("username"),
               desktop_.Environ("computername"));
    const std::string path = desktop_.ProgramFolder() + "/" + kErrorLogName;
    if (files_.AppendFile(path, record) || failureSaid_) {
        return;
    }
    failureSaid_ = true;
    // A notice takes no keys: the user may be typing on.
    const std::string& reason = files_.LastFailure().reason;
    dialogs_.Notice("The error log cannot be kept in \"" + path + "\"" +
                        (reason.empty() ? "." : ": " + reason + "."),
                    kAppTitle, MsgIcon::Exclamation);
}

} // namespace sumwise
