#pragma once
// A prompter for the widget tests: answers input boxes and questions from
// queues and records everything shown.
#include "app/Prompter.h"

#include <deque>
#include <string>
#include <vector>

class WindowTestPrompter : public mardex::Prompter {
public:
    struct InputShown { std::string prompt, title, defaultAnswer; };

    mardex::Answer Ask(const mardex::MessageBox& box) override
    {
        boxes.push_back(box);
        if (box.buttons == mardex::Buttons::OK || answers.empty()) return mardex::Answer::OK;
        const mardex::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string Input(const std::string& prompt, const std::string& title, const std::string& def) override
    {
        inputs.push_back({prompt, title, def});
        if (inputAnswers.empty()) return {};
        std::string a = inputAnswers.front();
        inputAnswers.pop_front();
        return a;
    }
    std::optional<std::string> ChooseFile(const mardex::FileDialogRequest&) override
    {
        if (files.empty()) return std::nullopt;
        std::string f = files.front();
        files.pop_front();
        return f;
    }

    std::deque<mardex::Answer> answers;
    std::deque<std::string> inputAnswers;
    std::deque<std::string> files;  // answers of the file dialog
    std::vector<mardex::MessageBox> boxes;
    std::vector<InputShown> inputs;
};
