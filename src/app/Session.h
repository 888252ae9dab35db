#pragma once
// The process-wide state of the program in one object: the document state,
// the sheet store, the window's controls, the report globals and the log
// tables. The main window owns one; tests and the command-line tool make
// as many as they like.
#include "app/FormModel.h"
#include "app/Prompter.h"
#include "app/WindowHooks.h"
#include "compute/SheetComputation.h"
#include "formats/FileWriter.h"
#include "model/SheetStore.h"
#include "app/StickupState.h"
#include "render/PrintState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <map>
#include <vector>

namespace mardex {

struct LogTables;  // geopaklog/LogTables.h

struct DocumentState {
    std::string CurrentFileName = "UNTITLED";
    // The file the document was read from or last saved to: saving to it
    // again asks no overwrite question (any other existing file does).
    std::string DocumentFile;
    bool DataChanged = false;
    int16_t SheetCount = 1;
    int16_t CurrentSheet = 0;
    int16_t UnitSystem = 0;  // 0 English, 1 metric
    bool LogMode = false;       // a GEOPAK log is open, not a sheet document
    bool ImportDone = false;
    bool LegacyFormat = false;  // the document read has the older layout
    std::array<std::string, 3> DescriptionFields;  // designer, project no, control no
    std::string ReportFolder;
    std::string BaselineName;
    std::string LastCode;

    // The sheet counters as they were when the current File command began
    // (Open, Import): a command that ends without opening anything puts them back.
    int16_t SheetCountBeforeCommand = 1;
    int16_t CurrentSheetBeforeCommand = 0;
    // Sheet documents the user chose to keep where a log's companion would
    // have replaced them: not asked about again.
    std::vector<std::string> KeptDocuments;
    // The companions this session wrote, with the hash of the text written:
    // finding that text again is no change by the designer.
    std::map<std::string, std::size_t> WrittenCompanions;
};

struct ReportState {
    ReportMode AccumulatedMode = ReportMode::Total;
    bool AppendToReport = false;
    int32_t ReportLineCount = 0;
    int32_t TotalPages = 0;
    // Grand totals, kept across sheets until the preview closes.
    double UnadjustedExcavation = 0, AdjustedExcavation = 0;
    double UnadjustedFill = 0, AdjustedFill = 0;

    // The command-line tool: showing a log writes its companion only; the
    // report file is written when the tool asks for it, so a run that fails
    // leaves any report of that name as it was.
    bool LogReportOnRequestOnly = false;

    void ResetGrandTotals() { UnadjustedExcavation = AdjustedExcavation = UnadjustedFill = AdjustedFill = 0; }
};

class Session {
public:
    explicit Session(Prompter& prompter);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Prompter& ask;
    WindowHooks* hooks;  // never null: a no-op until the window sets its own
    // Writes every file of the session (document, report, companion, PDF);
    // never null.
    const FileWriter* writer = &AtomicFileWriter;
    DocumentState doc;
    SheetStore store;
    FormModel form;
    ReportState report;
    PrintState print;
    StickupState stickup;
    LogTables& logs();  // created on first use
    const LogTables* logsIfCreated() const { return logs_.get(); }

    Sheet& CurrentSheet() { return store[doc.CurrentSheet]; }
    // The folder of the shipped files: default settings file, border file.
    std::string ProgramFolder;
    // The folder of the settings file "mardex3.ini" read at start; empty:
    // the shipped one in ProgramFolder.
    std::string SettingsFolder;
    const std::string& SettingsFileFolder() const { return SettingsFolder.empty() ? ProgramFolder : SettingsFolder; }

private:
    std::unique_ptr<LogTables> logs_;
};

} // namespace mardex
