#include "cli/LogReport.h"

#include "app/ForeignDocument.h"
#include "app/LogCommands.h"
#include "app/LogReport.h"
#include "cli/CliPrompter.h"
#include "cli/PdfOutput.h"
#include "cli/SheetReport.h"
#include "cli/ToolSession.h"
#include "compute/LogReportWriter.h"
#include "formats/AtomicFile.h"
#include "formats/GeopakLogReader.h"
#include "formats/ReportPaging.h"
#include "model/LogTables.h"
#include "model/UnitSystem.h"
#include "text/LikePattern.h"
#include "text/NumberText.h"
#include "text/PathText.h"

#include <filesystem>
#include <iostream>

namespace mardex::cli {

namespace {

namespace fs = std::filesystem;

// The caption of the one tab a fresh window shows before the log opens.
const std::string FirstTabCaption = "Mardex 1";

// The companion document next to the log, written as the window writes it
// each time the log's report is built. A sheet document there that is no
// previous companion, or a companion whose rows were changed, is kept (the
// window's question is answered No, once) unless --replace-companion is given.
class Companion {
public:
    Companion(const std::string& logPath, bool replace)
        : logPath_(logPath), path_(LogCompanionFileName(logPath)), replace_(replace)
    {
    }

    // False after the window's message when the companion cannot be named
    // or written.
    bool Write(const LogReportText& built, int16_t unitSystem, const std::string& baselineName)
    {
        if (!path_) return Fault("Bad file name or number: " + logPath_ + " has no \".LOG\"");
        const std::string text = CompanionDocument(unitSystem, baselineName, built.companionRows);
        if (!MayReplace(text)) return true;
        const AtomicWriteResult written = WriteFileAtomically(*path_, text);
        if (!written.ok) return Fault(written.error);
        written_ = std::hash<std::string>{}(text);
        return true;
    }

private:
    static bool Fault(const std::string& why)
    {
        CliPrompter::Print("Program Error: " + why + " occured in CreateGeopakLogReport");
        return false;
    }

    bool MayReplace(const std::string& text)
    {
        if (kept_) return false;
        const CompanionOnDisk found = ExamineCompanion(*path_, text, written_);
        if (found == CompanionOnDisk::Absent || found == CompanionOnDisk::Same || replace_) return true;
        CliPrompter::Print(found == CompanionOnDisk::Edited ? ReplaceEditedCompanionQuestion(*path_, logPath_)
                                                            : ReplaceCompanionQuestion(*path_, logPath_));
        CliPrompter::Print(KeptCompanionMessage(*path_) + " (--replace-companion replaces it)");
        kept_ = true;
        return false;
    }

    std::string logPath_;
    std::optional<std::string> path_;
    bool replace_;
    bool kept_ = false;
    std::size_t written_ = 0;
};

} // namespace

bool IsLogDocument(const std::string& path)
{
    std::error_code ec;
    const std::string upper = ToUpper(path);
    return upper.find(".LOG") != std::string::npos && upper.find(".MDX") == std::string::npos &&
           !IsForeignDocumentName(path) && fs::is_regular_file(path, ec);
}

int RunLogReport(const ToolOptions& options, const std::string& document)
{
    const std::string folder = ReportFolderOfSettings();
    std::string error;
    if (!HasLogMarkerLine(document, error)) {
        if (!error.empty()) CliPrompter::Print(" Error: " + error + " occured in CheckWhetherItIsLogFile");
        CliPrompter::Print(NotALogMessage);
        return CliPrompter::Fail(document + ": the document could not be read");
    }

    // A log whose file name has no ".LOG" (only a folder of that name) is
    // left unread and reports empty tables, as the window does.
    LogReadResult read;
    if (LogBaseName(document)) read = ReadGeopakLog(document);
    for (const std::string& message : read.messages) CliPrompter::Print(message);
    const std::string baseline = read.baselineName.value_or("");
    // The window asks for another tab name when the baseline's name matches
    // the tab already shown; the tool's answer is No.
    if (Trim(baseline) == FirstTabCaption || MatchesLike(Trim(baseline), FirstTabCaption))
        CliPrompter::Print(" There is same named baseline tab already existing. Do you want to change tabname?");

    // What the window prints in the log report's heading: the tab "BASELINE: "
    // with the name, empty description fields, the embankment box unticked.
    ReportHeading heading;
    heading.tabCaption = LogTabCaption(baseline);
    heading.units = UnitOfNumber(read.unitSystem);
    heading.embankment = 0;

    // Open writes the companion of the report in the log's own mode; the
    // report asked for then writes it again with the report.
    Companion companion(document, options.replaceCompanion);
    const ReportMode logMode = read.accumulated ? ReportMode::Accumulated : ReportMode::Total;
    companion.Write(WriteLogReport(read.log, heading, logMode), read.unitSystem, baseline);

    if (options.accumulated && !read.log.HasAccumulated()) {
        CliPrompter::Print("Present Log file has no Accumulated Quantities");
        return CliPrompter::Fail(document + ": no report was written");
    }
    const auto base = LogBaseName(document);
    const std::optional<std::string> path =
        !options.output.empty() ? std::optional<std::string>(AbsolutePath(options.output))
        : base                  ? std::optional<std::string>(folder + *base + ".rpt")
                                : std::nullopt;
    if (!path) {
        CliPrompter::Print("Program Error: Bad file name or number: " + document +
                           " has no \".LOG\" occured in CreateGeopakLogReport");
        return CliPrompter::Fail(document + ": no report was written");
    }
    if (NamesSameFile(*path, document))
        return CliPrompter::Fail(*path + ": the log's report would be the log itself; it is not overwritten");
    const LogReportText built =
        WriteLogReport(read.log, heading, options.accumulated ? ReportMode::Accumulated : ReportMode::Total);
    if (!companion.Write(built, read.unitSystem, baseline)) return CliPrompter::Fail(document + ": no report was written");
    if (!WriteReportText(*path, built.report, false, error)) {
        CliPrompter::Print("Program Error: " + error + " occured in CreateGeopakLogReport");
        return CliPrompter::Fail(document + ": no report was written");
    }
    // The window's page heading of a log: the tab and the baseline, no
    // description fields.
    PageHeading pages;
    pages.tabCaption = heading.tabCaption;
    pages.baselineText = BaselineText(true, baseline);
    pages.metric = heading.units == UnitSystem::Metric;
    pages.mode = options.accumulated ? ReportMode::Accumulated : ReportMode::Total;
    pages.totalPages = PagesForDrawnLines(DrawnLines(built.report));
    if (RenderRequestedOutputs(options, pages, *path) != 0) return 1;
    std::cout << *path << ": " << pages.totalPages << " pages\n";
    return 0;
}

} // namespace mardex::cli
