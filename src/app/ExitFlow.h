#pragma once
// Closing the main window and ending the program.
#include <cstdint>

namespace mardex {

class Session;

// Where a close request comes from.
enum UnloadMode : int {
    vbFormControlMenu = 0,  // the window's close box
    vbFormCode = 1,         // the program itself
    vbAppWindows = 2,       // the system shutting down or logging off
    vbAppTaskManager = 3,
};

// The cancel flag for a close request: requests from the user or the system
// go through the save prompt; the program's own pass.
int16_t Form_QueryUnload(Session& s, int unloadMode);
// The exit-time save prompt: 1 cancels the exit; 0 when ExitProgram has run.
int16_t SaveItBeforeExit(Session& s);
// Asks the window to unload and end the process.
void ExitProgram(Session& s);
// File > Exit.
void mnuFileExit_Click(Session& s);

} // namespace mardex
