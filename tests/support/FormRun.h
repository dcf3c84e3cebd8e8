#pragma once

#include <string>
#include <vector>

#include "form/CalcForm.h"
#include "support/FakePlatform.h"

namespace sumwise::testing {

// One run of the program's core over files that outlive it, at two fixed decimal places:
// started whole as the program starts, or with only the tape journal claimed.
struct FormRun {
    enum class Start { Whole, JournalOnly };

    FormRun(FileOps& files, Start start) : form(platform, &files) {
        if (start == Start::Whole) {
            form.Form_Load();
        } else {
            form.Document().ClaimJournal();
        }
        form.Keys().cboDecPlace_Click(2);
    }
    // Keys as typed.
    void Type(const std::string& keys) {
        for (char key : keys) {
            int code = static_cast<unsigned char>(key);
            form.CheckKeyPress(code);
        }
    }
    std::vector<std::string> Lines() const {
        const auto& lines = form.lstTape().Lines();
        return {lines.begin(), lines.end()};
    }

    FakePlatform platform;
    CalcForm form;
};

} // namespace sumwise::testing
