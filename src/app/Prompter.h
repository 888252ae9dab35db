#pragma once
// Everything the core asks of the user goes through this interface: the Qt
// layer shows real boxes and dialogs, tests answer from a script, and the
// command-line tool prints messages to stderr.
#include "formats/SurfaceChoice.h"

#include <optional>
#include <string>
#include <vector>

namespace mardex {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Answer { OK, Cancel, Yes, No };

// The application title: the title of every message box unless told otherwise.
inline const std::string AppTitle = "Mardex";

struct MessageBox {
    std::string text;
    Buttons buttons = Buttons::OK;
    Icon icon = Icon::None;
    std::string title = AppTitle;
    bool defaultIsSecond = false;  // e.g. No as the default button of Yes/No
};

enum class FileDialogMode { Open = 0, Save = 1 };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    // "Mardex Files(*.mdx)|*.mdx|Geopak's Earthwork Log Files(*.log)|*.log|All Files(*.*)|*.*"
    std::string filter;
    int filterIndex = 1;  // 1-based entry selected at opening
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows a message or question box and returns the button pressed.
    virtual Answer Ask(const MessageBox& box) = 0;
    // An input box; the empty text when the user cancels (as the platform's input box did).
    virtual std::string Input(const std::string& prompt, const std::string& title,
                              const std::string& defaultAnswer) = 0;
    // A file dialog; nullopt when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
    // The ground and design surfaces of a LandXML file, from its section
    // lines and TINs; `proposal` is what the naming rule picks (empty when it
    // cannot tell). nullopt when cancelled. Without a dialog: the proposal.
    virtual std::optional<SurfaceChoice> ChooseSurfaces(const SurfaceNames& names, const SurfaceChoice& proposal)
    {
        (void)names;
        if (!proposal.Complete()) return std::nullopt;
        return proposal;
    }

    // An OK message box with the application title.
    void Message(const std::string& text, Icon icon = Icon::None, const std::string& title = AppTitle)
    {
        Ask(MessageBox{text, Buttons::OK, icon, title});
    }
};

// The program-wide error message: prefix + description + place, OK only,
// titled with the application title.
inline void ErrorBox(Prompter& ask, const std::string& prefix, const std::string& description,
                     const std::string& place)
{
    ask.Message(prefix + description + place);
}

} // namespace mardex
