#pragma once
// The File menu commands and the procedures around the file dialog.
#include <string>

#include "text/PathText.h"

namespace mardex {

class Session;

void mnuFileNew_Click(Session& s);
void mnuFileOpen_Click(Session& s);
void mnuFileSave_Click(Session& s);
void mnuFileSaveAs_Click(Session& s);
void mnuImportFile_Click(Session& s);

// File > Open with its result: 0 when a document (or log) was opened, 1 when
// nothing was (a question or the dialog cancelled, a file that could not be
// read). The window ignores it; the command-line tool uses it.
int OpenFileCommand(Session& s);

// The filter list of every file dialog of the program.
inline const std::string FileDialogFilter =
    "Mardex Files(*.mdx)|*.mdx|Geopak's Earthwork Log Files(*.log)|*.log|All Files(*.*)|*.*";
// The open dialog's list adds the files read as sheets from other programs.
inline const std::string OpenDialogFilter =
    "Mardex Files(*.mdx)|*.mdx|Geopak's Earthwork Log Files(*.log)|*.log|"
    "LandXML Cross Sections(*.xml;*.landxml)|*.xml;*.landxml|CSV Sheets(*.csv)|*.csv|All Files(*.*)|*.*";

// mode 0 open dialog, 1 save dialog; the empty text after Cancel (which
// shows "NO FILE IS SELECTED").
std::string AcceptInputFilename(Session& s, int mode);
// The current name, or one asked for with the dialog when it is "UNTITLED"
// ("UNTITLED" again when the dialog is cancelled).
std::string IfUntitled(Session& s, int mode);
// The save loop: 0 saved, 1 abandoned (overwrite declined and no other name
// chosen, or the write failed: then its message was shown and DataChanged
// stays as it was).
int SavingTheFile(Session& s);
// The open dispatcher: asks for a name and opens it as a sheet document or
// a GEOPAK log. 1 when nothing was opened, otherwise the reader's result.
// Open and Import record the sheet counters in SheetCountBeforeCommand /
// CurrentSheetBeforeCommand first; a cancelled dialog puts them back.
// Spelled RadingTheFile before.
int ReadingTheFile(Session& s);

} // namespace mardex
