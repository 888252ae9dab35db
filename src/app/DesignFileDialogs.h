#pragma once
// The plain state and handlers of the design-file dialog (bentleyTwo) and
// the seed-file dialog (CopyOfBentleyDlg). The Qt dialogs mirror these and
// forward their events here.
#include <string>
#include <vector>

namespace mardex {

class Session;

// The folder list, file list, name box, file-type combo and the folder label
// that both dialogs share.
struct FileChooser {
    std::string folder;                // Dir1's path
    std::string pattern = "*.dgn";     // Combo1: the pattern of the file list
    std::vector<std::string> files;    // File1, sorted
    int selected = -1;                 // File1's selected entry
    std::string fileName;              // Text1: the name box
    std::string Label3;                // the last 30 characters of the folder

    static const std::vector<std::string>& PatternItems();  // Combo1's list

    // Dir1 change (a drive change moves the folder list too).
    void SetFolder(const std::string& path);
    // Combo1 change or click.
    void SetPattern(const std::string& pattern);
    void Refresh();
    // File1 click: the pattern is reapplied, the name taken, the entry kept selected.
    void ClickFile(const std::string& name);
    // The file chosen: folder + "/" + Text1.
    std::string ChosenPath() const;
    // Subfolders of the current folder, sorted (Dir1's entries below it).
    std::vector<std::string> SubFolders() const;
};

// Whether a file name matches a file-list pattern ("*.dgn", "*.*", "?"):
// letters compare without case, and "*.*" takes every file.
bool MatchesFilePattern(const std::string& name, const std::string& pattern);

// The dialog bentleyTwo.
struct DesignFileDialogModel {
    bool loaded = false;
    FileChooser chooser;
    std::string Label6;  // the seed file copied onto the target

    // Load: default seed, the folder, the selected name, the folder label.
    void Form_Load(const std::string& defaultSeed, const std::string& startFolder);
    // A click on the seed label shows the seed chosen with Select, and keeps
    // the label as it is while none has been chosen.
    void Label6_Click(Session& s);
    // OK: overwrite question, seed copy with its retry question, then the
    // target becomes DesignFilePath. True when the dialog hides.
    bool Command1_Click(Session& s);
};

// The dialog CopyOfBentleyDlg.
struct SeedFileDialogModel {
    bool loaded = false;
    FileChooser chooser;
    int readOnly = 0;  // Check1: "Open File as Read Only", no action

    void Form_Load(const std::string& startFolder);
    // OK: the chosen file becomes SeedFilePath and bentleyTwo's seed label.
    // Always hides the dialog.
    void Command1_Click(Session& s, DesignFileDialogModel& target);
    // A double click on a file: a click followed by OK.
    void File1_DblClick(Session& s, DesignFileDialogModel& target, const std::string& name);
};

// Copies the seed onto the target, replacing it. False when the seed is
// missing, when both name the same file (the seed is never written), when
// the target is marked read-only, or the copy fails; `error` then says why.
bool CopySeedFile(const std::string& seed, const std::string& target, std::string& error);

// The default seed: a third line "SeedFile = path" of the settings file
// mardex3.ini in the program's folder when present, otherwise `fallback`.
std::string DefaultSeedFile(const std::string& programFolder, const std::string& fallback);

inline const std::string OverwriteQuestion = "Do you want to overwrite existing *.dgn file?";
inline const std::string SeedCopyQuestion =
    "Could not copy seed file.  Make sure the target file is not open in MicroStation and that you have "
    "write privileges to the target folder, then click OK.  If you wish to stop processing, click Cancel.";

} // namespace mardex
