#pragma once
// Passes everything to another prompter, except that the next Open dialog
// can be answered in advance: a file named on the command line, dropped on
// the window or picked from the recent files opens through File > Open's
// own path, with its questions and messages.
#include "app/Prompter.h"

#include <utility>

namespace mardex {

class PresetFilePrompter : public Prompter {
public:
    explicit PresetFilePrompter(Prompter& inner) : inner_(inner) {}

    // The answer of the next Open dialog; cleared once used.
    std::optional<std::string> nextOpen;

    Answer Ask(const MessageBox& box) override { return inner_.Ask(box); }
    std::string Input(const std::string& prompt, const std::string& title, const std::string& defaultAnswer) override
    {
        return inner_.Input(prompt, title, defaultAnswer);
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override
    {
        if (request.mode == FileDialogMode::Open && nextOpen) return std::exchange(nextOpen, std::nullopt);
        return inner_.ChooseFile(request);
    }
    std::optional<SurfaceChoice> ChooseSurfaces(const SurfaceNames& names, const SurfaceChoice& proposal) override
    {
        return inner_.ChooseSurfaces(names, proposal);
    }

private:
    Prompter& inner_;
};

} // namespace mardex
