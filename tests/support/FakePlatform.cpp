#include "support/FakePlatform.h"

#include "platform/Files.h"

namespace sumwise::testing {

MsgAnswer FakePlatform::MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                               MsgButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (buttons == MsgButtons::Ok) {
        return MsgAnswer::Ok;
    }
    if (answers.empty()) {
        return MsgAnswer::No;
    }
    const MsgAnswer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

std::string FakePlatform::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& proposal) {
    inputs.push_back({prompt, title, proposal});
    if (inputAnswers.empty()) {
        return {};
    }
    std::string answer = inputAnswers.front();
    inputAnswers.erase(inputAnswers.begin());
    return answer;
}

std::string FakePlatform::Environ(const std::string& name) {
    const auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
}

bool FakePlatform::AppendToFile(const std::string& path, const std::string& text) {
    if (!useDisk) {
        files[path] += text;
        return true;
    }
    return AppendTextToFile(path, text);
}

} // namespace sumwise::testing
