#pragma once

#include <string>

#include "platform/AppIdentity.h"
#include "platform/DesktopServices.h"
#include "platform/Dialogs.h"
#include "platform/FileOps.h"

namespace sumwise {

inline constexpr const char* kErrorLogName = "ErrorLog.txt";

// Reports a trapped failure: a message box naming it, then one record appended to
// ErrorLog.txt in the program folder. A log that cannot be written is said once a run, so
// the user does not look there for records that were never kept.
class ErrorLog {
public:
    ErrorLog(Dialogs& dialogs, DesktopServices& desktop, FileOps& files)
        : dialogs_(dialogs), desktop_(desktop), files_(files) {}

    void LogError(bool showMessage, const std::string& number, const std::string& description,
                  const std::string& module, const std::string& routine);

    // The texts it writes, for the message box and the log file.
    static std::string MessageText(const std::string& number, const std::string& description,
                                   const std::string& module, const std::string& routine);
    static std::string Record(const DateTime& when, const std::string& number,
                              const std::string& description, const std::string& module,
                              const std::string& routine, const std::string& user,
                              const std::string& computer);

private:
    Dialogs& dialogs_;
    DesktopServices& desktop_;
    FileOps& files_;
    bool failureSaid_ = false;
};

} // namespace sumwise
