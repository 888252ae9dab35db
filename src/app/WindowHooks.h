#pragma once
// What core flows need of the window itself beyond message boxes: opening
// the report preview and ending the program. The window implements it; the
// command-line tool and tests keep the no-op default or record the calls.
namespace mardex {

class WindowHooks {
public:
    virtual ~WindowHooks() = default;
    // Load the preview window and render page 1 of the current report file.
    virtual void ShowPreview() {}
    // Unload the windows and end the process.
    virtual void ExitProgram() {}
    // Show the "Print Pre&view" submenu as a pop-up at the mouse and return
    // when it is closed (its command, if any, has run by then).
    virtual void PopupPrintPreviewMenu() {}
};

} // namespace mardex
