#include "app/FileCommands.h"
#include "app/LogCommands.h"

#include "app/Guarded.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/TabStrip.h"
#include "app/DocumentReader.h"
#include "app/DocumentWriter.h"
#include "app/ForeignDocument.h"
#include "app/ImportDocument.h"
#include "formats/InputFile.h"
#include "text/NumberText.h"

#include <filesystem>
#include <functional>

namespace mardex {

namespace {

const std::string ProgramError = " Program Error: ";

bool IsUntitled(const std::string& name) { return ToUpper(name) == "UNTITLED"; }

bool HoldsOneEmptySheet(Session& s)
{
    return s.doc.SheetCount <= 1 && s.doc.CurrentSheet == 0 && s.store[0].IsEndMarker(0);
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void EnableDocumentMenus(Session& s)
{
    s.form.mnuFileSaveEnabled = true;
    s.form.mnuFileSaveAsEnabled = true;
    s.form.mnuEditEnabled = true;
    s.form.Label4Visible = true;
    s.form.txtShrinkFactor.visible = true;
}

void RestoreCounters(Session& s)
{
    s.doc.SheetCount = s.doc.SheetCountBeforeCommand;
    s.doc.CurrentSheet = s.doc.CurrentSheetBeforeCommand;
}

// Open reset the window and then read nothing: what remains is an empty
// document of one sheet, shown under its one tab as New shows it.
void ShowEmptyDocument(Session& s)
{
    s.doc.SheetCount = 1;
    s.doc.CurrentSheet = 0;
    Sheet& sheet = s.store[0];
    sheet.SetCell(ColStation, 0, std::string(EndMarker));
    sheet.TabName = "Mardex 1";
    s.form.SelectedTab = 0;
    s.form.TabStripVisible = true;
    s.form.TabStripEnabled = true;
    s.form.GridShowsSheet = true;
}

// After a reset that read nothing, the empty document; otherwise the
// document in memory as it was.
void NothingOpened(Session& s, bool reset)
{
    if (reset) ShowEmptyDocument(s);
    else RestoreCounters(s);
}

// `reset` tells whether the window was reset for this open: without a
// reset, a document that is not read leaves the open one reachable as it was.
int OpenSheetDocument(Session& s, const std::string& nameBefore, bool reset)
{
    s.form.GridVisible = true;
    s.form.GridEnabled = true;
    s.form.logExplanation.enabled = false;
    s.form.logExplanation.visible = false;
    if (CheckFileCompatibility(s, s.doc.CurrentFileName) == 1) {
        s.ask.Message("FILE IS NOT COMPATIBLE WITH PRESENT VERSION OF THE PROGRAM.");
        s.doc.CurrentFileName = nameBefore;
        NothingOpened(s, reset);
        return 1;
    }
    ShowSheetDocumentMode(s);
    if (s.doc.LegacyFormat) s.doc.DataChanged = !s.doc.ImportDone;
    s.form.Label4Visible = true;
    s.form.txtShrinkFactor.visible = true;
    // A document read anew starts with the factor box enabled (the reader
    // greys it again for a sheet measured in embankment), so the box of an
    // earlier embankment sheet does not stay greyed for good.
    const bool factorEnabledBefore = s.form.txtShrinkFactor.enabled;
    s.form.txtShrinkFactor.enabled = true;
    const int result = ReadFileVersion2002(s);
    if (result == 0) {
        s.doc.DocumentFile = s.doc.CurrentFileName;
        ShowDocumentCaption(s);
        s.form.StatusText = s.doc.CurrentFileName;
    } else {
        s.form.txtShrinkFactor.enabled = factorEnabledBefore;
        // Nothing of a malformed document was taken: the document in memory
        // keeps its name, so a later Save cannot write it over that file.
        s.doc.CurrentFileName = nameBefore;
        NothingOpened(s, reset);
    }
    return result;
}

// `prepare` runs once a name has been chosen, before anything is read: the
// reset that Open does after "No" or a save, so that a cancelled dialog
// leaves the document as it was. It returns whether it reset the window.
// `logsOnly`: Import's log branch, which opens nothing but a further log, so
// a sheet document picked there never becomes the open document.
int ReadingTheFileWith(Session& s, const std::function<bool()>& prepare, bool logsOnly = false)
{
    int result = 1;
    Guarded(s.ask, ProgramError, "(RadingTheFile(FileMenu))", [&] {
        const std::string oldName = s.doc.CurrentFileName;
        const std::string chosen = AcceptInputFilename(s, 0);
        if (chosen.empty()) {
            s.doc.CurrentFileName = oldName;
            RestoreCounters(s);
            return;
        }
        if (!logsOnly && IsForeignDocumentName(chosen) && FileExists(chosen)) {
            // Read before anything is reset: a refused file changes nothing.
            const auto read = ReadForeignDocument(s, chosen, 0);
            if (!read) {
                s.doc.CurrentFileName = oldName;
                RestoreCounters(s);
                return;
            }
            if (prepare) prepare();
            ShowForeignDocument(s, *read, chosen);
            result = 0;
            return;
        }
        const bool reset = prepare ? prepare() : false;
        // The tabs shown before the command, none after a reset: a log's
        // baseline is compared with them.
        const std::vector<std::string> shownBefore =
            reset ? std::vector<std::string>{} : TabCaptions(s, s.doc.SheetCountBeforeCommand);
        const std::string nameBefore = s.doc.CurrentFileName;
        s.doc.CurrentFileName = chosen;
        const std::string upper = ToUpper(chosen);
        const bool exists = FileExists(chosen);

        if (logsOnly && !(Contains(upper, ".LOG") && exists)) {
            s.doc.CurrentFileName = nameBefore;
            RestoreCounters(s);
            s.ask.Message(exists ? NotALogMessage : "NO FILE EXIST BY THE NAME : " + chosen);
            return;
        }
        if (Contains(upper, ".MDX") && exists) {
            result = OpenSheetDocument(s, nameBefore, reset);
            return;
        }

        // ---- GEOPAK log branch --------------------------------------------
        // An existing file whose upper-cased name contains ".LOG" and that is
        // recognised as a GEOPAK earthwork log opens here (log mode, report,
        // preview).
        if (Contains(upper, ".LOG") && exists) {
            // A log opened in place of a document is headed as the tool heads
            // it: the document's designer and numbers are not the log's.
            const auto descriptionsBefore = s.doc.DescriptionFields;
            const auto boxesBefore = s.form.txtDescri;
            if (!logsOnly) {
                s.doc.DescriptionFields = {};
                for (auto& box : s.form.txtDescri) box.text.clear();
            }
            result = OpenGeopakLogFile(s, shownBefore);
            if (result != 0) {
                s.doc.DescriptionFields = descriptionsBefore;
                s.form.txtDescri = boxesBefore;
                s.doc.CurrentFileName = nameBefore;
                NothingOpened(s, reset);
            }
            return;
        }
        // ---------------------------------------------------------------------

        std::error_code ec;
        if (!exists && std::filesystem::exists(chosen, ec)) s.ask.Message(InputFileProblem(chosen, MaxDocumentBytes));
        else if (!exists) s.ask.Message("NO FILE EXIST BY THE NAME : " + chosen);
        // An existing file of another kind is not opened and nothing is shown.
        // A path that was not opened never names the document: Save would
        // write the document over it.
        s.doc.CurrentFileName = nameBefore;
        NothingOpened(s, reset);
    });
    return result;
}

} // namespace

std::string AcceptInputFilename(Session& s, int mode)
{
    std::string result;
    Guarded(s.ask, ProgramError, "(AcceptInputFilename(FileMenu))", [&] {
        FileDialogRequest request;
        request.mode = mode == 1 ? FileDialogMode::Save : FileDialogMode::Open;
        request.filter = mode == 1 ? FileDialogFilter : OpenDialogFilter;
        request.filterIndex = s.doc.LogMode ? 2 : 1;
        const auto chosen = s.ask.ChooseFile(request);
        if (!chosen || chosen->empty()) {
            s.ask.Message("NO FILE IS SELECTED");
            return;
        }
        result = *chosen;
    });
    return result;
}

std::string IfUntitled(Session& s, int mode)
{
    std::string result = s.doc.CurrentFileName;
    Guarded(s.ask, ProgramError, "(IfUntitled(FileMenu))", [&] {
        if (!IsUntitled(s.doc.CurrentFileName)) return;
        const std::string chosen = AcceptInputFilename(s, mode);
        result = chosen.empty() ? "UNTITLED" : chosen;
    });
    return result;
}

int SavingTheFile(Session& s)
{
    int result = 1;
    Guarded(s.ask, ProgramError, "(SavingTheFile(FileMenu))", [&] {
        for (;;) {
            const int16_t written = Write2002VersionFile(s);
            if (written == 0) {
                s.ask.Message(" FILE : " + s.doc.CurrentFileName + " IS SAVED SUCCESSFULLY");
                s.doc.DocumentFile = s.doc.CurrentFileName;
                s.doc.DataChanged = false;
                s.form.StatusText = s.doc.CurrentFileName;
                result = 0;
                return;
            }
            // A failed write has said so; it is never reported as saved.
            if (written != 1) return;
            const std::string oldName = s.doc.CurrentFileName;
            const std::string other = AcceptInputFilename(s, 1);
            if (other.empty()) {
                s.doc.CurrentFileName = oldName;
                return;
            }
            s.doc.CurrentFileName = other;
        }
    });
    return result;
}

int ReadingTheFile(Session& s) { return ReadingTheFileWith(s, {}); }

void mnuFileSave_Click(Session& s)
{
    Guarded(s.ask, ProgramError, "(SaveFile(FileMenu))", [&] {
        if (s.doc.SheetCount <= 0 || s.doc.LogMode) return;
        if (!s.doc.DataChanged) {
            s.ask.Message("FILE WAS NOT CHANGED SINCE LAST SAVE EVENT");
            return;
        }
        const std::string before = s.doc.CurrentFileName;
        s.doc.CurrentFileName = IfUntitled(s, 1);
        if (IsUntitled(s.doc.CurrentFileName)) {
            s.doc.CurrentFileName = before;
            return;
        }
        if (SavingTheFile(s) == 0) ShowDocumentCaption(s);
        else s.doc.CurrentFileName = before;  // the document keeps the name its caption shows
    });
}

void mnuFileSaveAs_Click(Session& s)
{
    Guarded(s.ask, ProgramError, "(SaveAsFile(FileMenu))", [&] {
        if (s.doc.LogMode) return;  // a log is never written as a sheet document
        if (s.doc.SheetCount < 1) {
            s.ask.Message("No data exists to save as a file");
            return;
        }
        const std::string before = s.doc.CurrentFileName;
        if (s.doc.CurrentFileName != "UNTITLED") {
            const std::string chosen = AcceptInputFilename(s, 1);
            if (chosen.empty()) {
                s.doc.CurrentFileName = before;
                return;
            }
            s.doc.CurrentFileName = chosen;
        } else {
            s.doc.CurrentFileName = IfUntitled(s, 1);
            if (IsUntitled(s.doc.CurrentFileName)) return;
        }
        if (SavingTheFile(s) == 0) ShowDocumentCaption(s);
        else s.doc.CurrentFileName = before;
    });
}

void mnuFileNew_Click(Session& s)
{
    Guarded(s.ask, ProgramError, "(NewFile(FileMenu))", [&] {
        EnableDocumentMenus(s);
        bool fullReset = false;
        if (s.doc.DataChanged) {
            const std::string name = s.doc.CurrentFileName;
            const Answer a = s.ask.Ask(MessageBox{"Wish to save : ' " + name + " ' before opening new file ?",
                                                  Buttons::YesNoCancel, Icon::Question});
            if (a == Answer::Yes) {
                s.doc.CurrentFileName = IfUntitled(s, 1);
                if (s.doc.CurrentFileName == "UNTITLED" || SavingTheFile(s) != 0) {
                    s.doc.CurrentFileName = name;
                    return;
                }
                fullReset = true;
            } else if (a == Answer::No) {
                fullReset = true;
            } else {
                s.ask.Message("File : ' " + name + " ' was not saved");
                return;
            }
        } else {
            // An untitled document that holds more than one empty sheet
            // (sheets imported into it) is reset too: none of it may pass
            // into the new document.
            fullReset = !IsUntitled(s.doc.CurrentFileName) || !HoldsOneEmptySheet(s);
        }
        s.doc.CurrentSheet = 0;
        s.doc.SheetCount = 1;
        if (fullReset) ResetallAttributes(s);
        s.doc.DocumentFile.clear();
        ShowSheetDocumentMode(s);
        s.doc.CurrentFileName = "UNTITLED";
        s.form.Caption = "MARDEX :UNTITLED";
        // Nothing of the document before stays in the slot, shown or hidden.
        s.store[0].ClearRows();
        // One tab, showing the sheet's name.
        s.store[0].TabName = "Mardex 1";
        s.form.SelectedTab = 0;
        s.form.TabStripVisible = true;
        s.form.TabStripEnabled = true;
        s.form.GridShowsSheet = true;
        // The new sheet's factor can be typed unless the sheet is measured in embankment.
        s.form.txtShrinkFactor.enabled = s.store[0].MeasuredInEmbankment != 1;
        s.form.StatusText = "New File";
        s.form.Focus = FocusTarget::Designer;
    });
}

int OpenFileCommand(Session& s)
{
    int result = 1;
    Guarded(s.ask, ProgramError, "(Openfile(FileMenu))", [&] {
        EnableDocumentMenus(s);
        s.doc.SheetCountBeforeCommand = s.doc.SheetCount;
        s.doc.CurrentSheetBeforeCommand = s.doc.CurrentSheet;
        const auto resetAndRead = [&](bool reset) {
            s.doc.CurrentSheet = 0;
            s.doc.SheetCount = 1;
            result = ReadingTheFileWith(s, [&] {
                if (reset) ResetallAttributes(s);
                return reset;
            });
        };
        // Changes typed after an Import are offered a save like any others:
        // an import earlier in the session never lets Open drop them silently.
        if (!s.doc.DataChanged) {
            const bool logShown = s.doc.LogMode;
            resetAndRead(false);
            if (result != 0 && logShown) ShowOpenLogAgain(s);
            return;
        }
        const std::string name = s.doc.CurrentFileName;
        const Answer a = s.ask.Ask(MessageBox{"Wish to save : " + name + " before opening other file ?",
                                              Buttons::YesNoCancel, Icon::Question});
        if (a == Answer::Yes) {
            s.doc.CurrentFileName = IfUntitled(s, 1);
            if (IsUntitled(s.doc.CurrentFileName) || SavingTheFile(s) != 0) {
                s.doc.CurrentFileName = name;
                return;
            }
            ShowDocumentCaption(s);
            resetAndRead(true);
        } else if (a == Answer::No) {
            resetAndRead(true);
        } else {
            s.ask.Message("File : " + name + " was not saved");
        }
    });
    return result;
}

void mnuFileOpen_Click(Session& s) { OpenFileCommand(s); }

namespace {

// Import keeps the document's name: unsaved typing is offered a save first,
// as Open offers it. False when the user cancels or the save fails.
bool SettleUnsavedBeforeImport(Session& s)
{
    if (!s.doc.DataChanged) return true;
    const std::string name = s.doc.CurrentFileName;
    const Answer a = s.ask.Ask(MessageBox{"Wish to save : " + name + " before importing other file ?",
                                          Buttons::YesNoCancel, Icon::Question});
    if (a == Answer::No) return true;
    if (a == Answer::Yes) {
        s.doc.CurrentFileName = IfUntitled(s, 1);
        if (!IsUntitled(s.doc.CurrentFileName) && SavingTheFile(s) == 0) {
            ShowDocumentCaption(s);
            return true;
        }
        s.doc.CurrentFileName = name;
        return false;
    }
    s.ask.Message("File : " + name + " was not saved");
    return false;
}

// A further log: the logs are reported, never saved, so the document
// commands stay off.
void ShowLogImportDone(Session& s)
{
    s.form.mnuFileSaveEnabled = false;
    s.form.mnuFileSaveAsEnabled = false;
    s.form.mnuEditEnabled = false;
    s.form.Label4Visible = false;
    s.form.txtShrinkFactor.visible = false;
    s.doc.ImportDone = true;
    s.doc.DataChanged = false;
}

// Sheets added to the document are a change like any typing: every command
// stays as it was, and Save, Exit and Open offer to save them.
void ShowSheetImportDone(Session& s)
{
    EnableDocumentMenus(s);
    s.doc.ImportDone = true;
    s.doc.DataChanged = true;
    s.form.Focus = FocusTarget::Grid;
}

} // namespace

void mnuImportFile_Click(Session& s)
{
    try {
        if (!SettleUnsavedBeforeImport(s)) return;
        s.doc.SheetCountBeforeCommand = s.doc.SheetCount;
        s.doc.CurrentSheetBeforeCommand = s.doc.CurrentSheet;
        // An import that reads nothing (dialog cancelled, a file refused)
        // changes nothing: the changed mark and the menus stay as they were.
        if (s.form.importKind == ImportKind::SheetDocuments) {
            if (ImportSheetDocument(s) == 0) ShowSheetImportDone(s);
        } else if (s.form.importKind == ImportKind::Logs) {
            ++s.doc.SheetCount;
            ++s.doc.CurrentSheet;
            s.doc.LogMode = true;
            // ---- GEOPAK log import ----------------------------------------
            // The new log goes after the last tab, within the 26 sheets. The
            // stick-up drawing keeps no row maximum: it follows the report file.
            if (!PrepareGeopakLogImport(s)) return;
            // -----------------------------------------------------------------
            if (ReadingTheFileWith(s, {}, true) == 0) ShowLogImportDone(s);
            s.doc.DataChanged = false;
        }
    } catch (const std::exception&) {
        s.ask.Message(" eRROR OCCURED WHILE IMPORTING A FILE");
    }
}

} // namespace mardex
