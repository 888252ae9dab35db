#include "app/ViewMenu.h"

#include "app/Guarded.h"
#include "app/Session.h"

namespace mardex {

void mnuViewToolbar_Click(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in mnuViewToolbar_click",
            [&] { s.form.mnuViewToolbarChecked = !s.form.mnuViewToolbarChecked; });
}

void mnuViewStatusBar_Click(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in mnuViewStatusBar_Click",
            [&] { s.form.mnuViewStatusBarChecked = !s.form.mnuViewStatusBarChecked; });
}

void mnuViewRefresh_Click(Session& s) { s.ask.Message("Add 'mnuViewRefresh_Click' code."); }

namespace {
// No help file goes with the program.
void NoHelp(Session& s)
{
    s.ask.Message("Unable to display Help Contents. There is no Help associated with this project.",
                  Icon::Information, s.form.Caption);
}
} // namespace

void mnuHelpContents_Click(Session& s) { NoHelp(s); }
void mnuHelpSearchForHelpOn_Click(Session& s) { NoHelp(s); }

} // namespace mardex
