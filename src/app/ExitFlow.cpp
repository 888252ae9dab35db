#include "app/ExitFlow.h"

#include "app/ErrorNumber.h"
#include "app/Guarded.h"
#include "app/Session.h"
#include "app/FileCommands.h"
#include "text/NumberText.h"

namespace mardex {

int16_t Form_QueryUnload(Session& s, int unloadMode)
{
    int16_t cancel = 0;
    Guarded(s.ask, "Program Error: ", " occured in Form_QueryUnload(frmmain)", [&] {
        if (unloadMode == vbFormControlMenu || unloadMode == vbAppWindows || unloadMode == vbAppTaskManager)
            cancel = SaveItBeforeExit(s);
    });
    return cancel;
}

namespace {

int16_t SaveAndExit(Session& s)
{
    // A GEOPAK log is shown as reports: there is no sheet document to save.
    if (s.doc.LogMode) {
        ExitProgram(s);
        return 0;
    }
    if (ToUpper(s.doc.CurrentFileName) == "UNTITLED") {
        const std::string name = IfUntitled(s, 1);
        if (name.empty() || ToUpper(name) == "UNTITLED") return 1;
        s.doc.CurrentFileName = name;
    }
    if (SavingTheFile(s) != 0) return 1;
    s.form.Caption = "MARDEX :" + s.doc.CurrentFileName;
    ExitProgram(s);
    return 0;
}

} // namespace

int16_t SaveItBeforeExit(Session& s)
{
    // A failure keeps the window open: closing would lose the changes.
    int16_t result = 1;
    Guarded(s.ask, "Program Error: ", "(SaveItBeforeExit(formRelated))", [&] {
        if (!s.doc.DataChanged) {
            ExitProgram(s);
            result = 0;
            return;
        }
        const Answer answer = s.ask.Ask(
            MessageBox{"WISH TO SAVE FILE BEFORE EXITING ?", Buttons::YesNoCancel, Icon::Question});
        if (answer == Answer::No) {
            ExitProgram(s);
            result = 0;
        } else if (answer == Answer::Yes) {
            if (s.doc.SheetCount >= 1) {
                result = SaveAndExit(s);
            } else {
                s.ask.Message("NO DATA IS CHANGED SINCE LAST SAVE EVENT");
                ExitProgram(s);
                result = 0;
            }
        } else {
            s.ask.Message(" FILE : " + s.doc.CurrentFileName + " WAS NOT SAVED");
            result = 1;
        }
    });
    return result;
}

void ExitProgram(Session& s)
{
    Guarded(s.ask, "Program Error: ", "(ExitProgram(formRelated))", [&] { s.hooks->ExitProgram(); });
}

void mnuFileExit_Click(Session& s)
{
    try {
        SaveItBeforeExit(s);
    } catch (const std::exception& e) {
        s.ask.Message("Program Error: " + std::to_string(ErrorNumber(e.what())) + " Occured in mnuFileExit_click");
    }
}

} // namespace mardex
