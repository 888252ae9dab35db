#pragma once
// The tool's stand-in for the window's boxes: every message goes to stderr,
// each line prefixed "mardex-report: "; the open dialog answers with the
// document named on the command line; questions get their negative answer.
#include "app/Prompter.h"

#include <deque>
#include <iostream>
#include <string_view>
#include <sstream>

namespace mardex::cli {

class CliPrompter : public Prompter {
public:
    Answer Ask(const MessageBox& box) override
    {
        Print(box.text);
        ++messagesShown;
        switch (box.buttons) {
        case Buttons::OK: return Answer::OK;
        case Buttons::OKCancel: return Answer::Cancel;
        case Buttons::YesNo: return replaceCompanion && box.text.find(CompanionReplacement) != std::string::npos
                                        ? Answer::Yes
                                        : Answer::No;
        case Buttons::YesNoCancel: return Answer::Cancel;
        }
        return Answer::Cancel;
    }

    std::string Input(const std::string& prompt, const std::string&, const std::string&) override
    {
        Print(prompt);
        return {};
    }

    std::optional<std::string> ChooseFile(const FileDialogRequest&) override
    {
        if (files.empty()) return std::nullopt;
        std::string next = files.front();
        files.pop_front();
        return next;
    }

    // --ground/--design when given; otherwise what the naming rule proposes.
    std::optional<SurfaceChoice> ChooseSurfaces(const SurfaceNames& names, const SurfaceChoice& proposal) override
    {
        if (surfaces.Complete()) return surfaces;
        return Prompter::ChooseSurfaces(names, proposal);
    }

    static void Print(const std::string& text)
    {
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::cerr << "mardex-report: " << line << '\n';
        }
    }

    // The message of a run that ends in failure, and the tool's exit status.
    static int Fail(const std::string& why)
    {
        Print(why);
        return 1;
    }

    std::deque<std::string> files;  // answers of the file dialogs, in order
    // --replace-companion: the question before a log's companion replaces a file is answered Yes.
    bool replaceCompanion = false;
    static constexpr std::string_view CompanionReplacement = "Replace it with the log's station rows?";
    SurfaceChoice surfaces;         // the surfaces named on the command line
    int messagesShown = 0;
};

} // namespace mardex::cli
