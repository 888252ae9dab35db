#pragma once
// Recovery copies of a document with unsaved changes, written now and then
// into the user's state folder so that a killed program or a lost power
// supply costs at most the last minutes of typing. A copy is a sheet
// document of its own beside a ".source" file naming the document it
// belongs to and the process that wrote it; it never replaces the user's
// file by itself.
#include <string>
#include <vector>

namespace mardex {

class Session;
class PresetFilePrompter;

struct RecoveryCopy {
    std::string copyPath;      // the recovery document
    std::string documentPath;  // the document it belongs to ("UNTITLED" for a new one)
};

// <folder>/<document's name without extension>-<hash of its full path>.mdx
std::string RecoveryCopyPath(const std::string& folder, const std::string& documentPath);

// Writes the document in memory as a recovery copy, atomically, leaving the
// session exactly as it was. false with `error` when it could not be written.
bool WriteRecoveryCopy(Session& s, const std::string& folder, std::string& error);

// Removes a copy and its ".source" file; nothing happens when there is none.
void RemoveRecoveryCopy(const std::string& copyPath);

// The copies in `folder` newer than their documents (or whose document is
// gone, or was never saved), the newest first; not those of another window
// of the program still running.
std::vector<RecoveryCopy> RecoveryCopiesToOffer(const std::string& folder);

// The question asked at start for one copy.
std::string RecoveryQuestion(const RecoveryCopy& copy);

// Opens the copy as File > Open would and gives the document back its own
// name, marked changed: only the user's Save writes it. false when the copy
// could not be read (the reader has said why).
bool RestoreRecoveryCopy(Session& s, PresetFilePrompter& files, const RecoveryCopy& copy);

} // namespace mardex
