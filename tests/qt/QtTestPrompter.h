#pragma once
// A prompter for the QtTest programs: records every box and answers OK
// (or the answer queued for it).
#include "app/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace mardex::test {

class QtTestPrompter : public Prompter {
public:
    Answer Ask(const MessageBox& box) override
    {
        shown.push_back(box.text);
        if (answers.empty()) return Answer::OK;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string Input(const std::string& prompt, const std::string&, const std::string&) override
    {
        shown.push_back(prompt);
        return {};
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }

    std::vector<std::string> shown;
    std::deque<Answer> answers;
};

} // namespace mardex::test
