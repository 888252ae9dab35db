#pragma once
// The File menu commands and the procedures around the file dialog.
#include <string>

namespace mardex {

class Session;

void mnuFileNew_Click(Session& s);
void mnuFileOpen_Click(Session& s);
void mnuFileSave_Click(Session& s);
void mnuFileSaveAs_Click(Session& s);
void mnuImportFile_Click(Session& s);

// mode 0 open dialog, 1 save dialog; the empty text after Cancel.
std::string AcceptInputFilename(Session& s, int mode);
std::string IfUntitled(Session& s, int mode);
int SavingTheFile(Session& s);
int RadingTheFile(Session& s);
// The text after the last "/" or "\".
std::string StripFile(const std::string& path);

} // namespace mardex
