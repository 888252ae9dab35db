#pragma once
// A prompter for tests: answers from a queue given by the test, records
// every box shown, and fails the test on a question it was not told about.
#include "app/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace mardex::test {

// One expected interaction. `text` empty means "any text".
struct Expect {
    enum Kind { Box, Input, File } kind = Box;
    std::string text;
    Answer answer = Answer::OK;                 // for Box
    std::string inputAnswer;                    // for Input
    std::optional<std::string> fileAnswer;      // for File (nullopt = cancel)
};

inline Expect Says(std::string text) { return {Expect::Box, std::move(text), Answer::OK, {}, {}}; }
inline Expect Asks(std::string text, Answer a) { return {Expect::Box, std::move(text), a, {}, {}}; }
inline Expect Types(std::string prompt, std::string answer) { return {Expect::Input, std::move(prompt), Answer::OK, std::move(answer), {}}; }
inline Expect Picks(std::optional<std::string> file) { return {Expect::File, "", Answer::OK, {}, std::move(file)}; }

class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() = default;
    ScriptedPrompter(std::initializer_list<Expect> script) : script_(script) {}

    void Then(Expect e) { script_.push_back(std::move(e)); }

    Answer Ask(const MessageBox& box) override
    {
        boxes.push_back(box);
        shown.push_back(box.text);
        if (script_.empty() || script_.front().kind != Expect::Box) {
            if (box.buttons == Buttons::OK && IsExpected(box.text)) return Answer::OK;
            ADD_FAILURE() << "unexpected message box: \"" << box.text << "\"";
            return box.buttons == Buttons::OK ? Answer::OK : Answer::Cancel;
        }
        Expect e = script_.front();
        script_.pop_front();
        if (!e.text.empty()) {
            EXPECT_EQ(box.text, e.text);
        }
        return e.answer;
    }

    std::string Input(const std::string& prompt, const std::string& title, const std::string& def) override
    {
        inputs.push_back({prompt, title, def});
        if (script_.empty() || script_.front().kind != Expect::Input) {
            ADD_FAILURE() << "unexpected input box: \"" << prompt << "\"";
            return {};
        }
        Expect e = script_.front();
        script_.pop_front();
        if (!e.text.empty()) {
            EXPECT_EQ(prompt, e.text);
        }
        return e.inputAnswer;
    }

    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override
    {
        dialogs.push_back(request);
        if (script_.empty() || script_.front().kind != Expect::File) {
            ADD_FAILURE() << "unexpected file dialog";
            return std::nullopt;
        }
        Expect e = script_.front();
        script_.pop_front();
        return e.fileAnswer;
    }

    bool sawAll() const { return script_.empty(); }

    struct InputShown { std::string prompt, title, defaultAnswer; };
    std::vector<MessageBox> boxes;
    std::vector<std::string> shown;
    std::vector<InputShown> inputs;
    std::vector<FileDialogRequest> dialogs;
    // OK-only messages the test expects besides its script, in any order: a
    // message containing one of these texts is recorded; any other message
    // that is not scripted fails the test.
    std::vector<std::string> expectedMessages;
    bool IsExpected(const std::string& text) const
    {
        for (const std::string& e : expectedMessages)
            if (text.find(e) != std::string::npos) return true;
        return false;
    }

private:
    std::deque<Expect> script_;
};

} // namespace mardex::test
