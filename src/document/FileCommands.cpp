#include "document/FileCommands.h"

#include "app/Session.h"

namespace mardex {

// Placeholders until the document commands land.
void mnuFileNew_Click(Session&) {}
void mnuFileOpen_Click(Session&) {}
void mnuFileSave_Click(Session&) {}
void mnuFileSaveAs_Click(Session&) {}
void mnuImportFile_Click(Session&) {}
std::string AcceptInputFilename(Session&, int) { return {}; }
std::string IfUntitled(Session& s, int) { return s.doc.CurrentFileName; }
int SavingTheFile(Session&) { return 1; }
int RadingTheFile(Session&) { return 1; }
std::string StripFile(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace mardex
