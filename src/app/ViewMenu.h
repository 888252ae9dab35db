#pragma once
// The View and Help menus of the main window.
namespace mardex {

class Session;

void mnuViewToolbar_Click(Session& s);
void mnuViewStatusBar_Click(Session& s);
void mnuViewRefresh_Click(Session& s);
void mnuHelpContents_Click(Session& s);
void mnuHelpSearchForHelpOn_Click(Session& s);

} // namespace mardex
