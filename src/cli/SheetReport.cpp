#include "cli/SheetReport.h"

#include "cli/CliPrompter.h"
#include "cli/Commands.h"
#include "cli/PdfOutput.h"
#include "cli/ToolSession.h"
#include "app/UserFiles.h"
#include "compute/SheetComputation.h"
#include "compute/SheetReportWriter.h"
#include "formats/AtomicFile.h"
#include "formats/ReportPaging.h"
#include "formats/SettingsFile.h"
#include "formats/SheetDocumentReader.h"
#include "model/Document.h"
#include "text/NumberText.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

namespace mardex::cli {

namespace {

namespace fs = std::filesystem;

// The window shows a sheet through its header boxes, and the boxes' change
// handlers write back into the sheet: the factor box stores the factor as it
// shows it (two decimals), and ticking the embankment box shows "1.000".
// Reports of a shown sheet print that factor, so the tool shows the sheets the
// window would have shown.
void ShowThroughFactorBox(Sheet& sheet)
{
    auto box = [&sheet](const std::string& text) {
        const std::string shown = FormatAreaText(text);
        if (Trim(shown) != sheet.BalanceFactor) sheet.BalanceFactor = shown;
    };
    box(FormatAreaText(sheet.BalanceFactor));
    if (sheet.MeasuredInEmbankment == 1) box("1.000");
}

// The report text on its way to the file: handed to the file in pieces of
// whole lines while it is written (a small text whose pages are used again),
// its drawn lines counted by the writer. The file replaces the old report
// only once all is written.
struct ReportFile final : ReportDrain {
    static constexpr std::size_t PieceSize = 64 * 1024;
    PiecewiseAtomicWriter file;
    std::string text;
    int64_t drawnLines = 0;

    // A report is made afresh from its document by any run: replaced
    // atomically, it is not flushed to the disk.
    explicit ReportFile(const std::string& path) : ReportDrain(PieceSize), file(path, -1, FlushToDisk::No)
    {
        text.reserve(2 * PieceSize);
    }
    // A write that fails is kept by the file and reported at its commit.
    void Take(std::string_view lines) override { file.Append(lines); }
    void Flush()
    {
        Take(text);
        text.clear();
    }
};

// A section of the report, or the window's message when the computation
// fails; the messages shown wait in `shown`.
bool AppendSection(ReportFile& report, std::vector<std::string>& shown, SheetComputation& c, const Sheet& sheet,
                   int index, const Document& doc, ReportMode mode, int embankmentBox)
{
    ReportHeading heading;
    heading.descriptionFields = doc.descriptionFields;
    heading.tabCaption = TabCaption(sheet, index);
    heading.units = doc.units;
    heading.embankment = embankmentBox;
    // A report built alone starts its grand totals at zero, and so does each
    // section of the combined report.
    report.drawnLines += ComputeAndWriteSheetReport(report.text, sheet, mode, heading, c, &report);
    shown.insert(shown.end(), c.messages.begin(), c.messages.end());
    if (!c.ok()) {
        shown.push_back("Program Error: " + c.fault + " occured in CreateTempRptFile");
        return false;
    }
    return true;
}

// The page heading of the window after the report: the tab shown last is
// the sheet reported, or the last sheet after the combined report.
PageHeading PagesHeading(const Document& doc, const std::string& shownCaption, const ToolOptions& options,
                         long pages)
{
    PageHeading heading;
    heading.designer = doc.descriptionFields[0];
    heading.projectNo = doc.descriptionFields[1];
    heading.controlNo = doc.descriptionFields[2];
    heading.tabCaption = shownCaption;
    heading.metric = doc.units == UnitSystem::Metric;
    heading.mode = options.accumulated && !options.allSheets ? ReportMode::Accumulated : ReportMode::Total;
    heading.totalPages = pages;
    return heading;
}

// The reader's messages come first, then its error.
bool ShowReading(const DocumentReadResult& read)
{
    for (const std::string& message : read.messages) CliPrompter::Print(message);
    if (read.document) return true;
    CliPrompter::Print(read.compatible ? "Program Error: " + read.error + "(ReadFileVersion2002(NewFileIO))"
                                       : NotCompatibleMessage);
    return false;
}

std::optional<std::string> ReportPath(const ToolOptions& options, const std::string& document,
                                      const std::string& folder, std::string& error)
{
    return options.output.empty() ? SheetReportPath(folder, document, error)
                                  : std::optional<std::string>(AbsolutePath(options.output));
}

// After the sections: the messages of the computations, the file committed,
// the requested outputs rendered.
int FinishReport(ReportFile& report, bool built, const std::vector<std::string>& shown, const ToolOptions& options,
                 const std::string& document, const std::string& path, const Document& header,
                 const std::string& shownCaption)
{
    for (const std::string& message : shown) CliPrompter::Print(message);
    report.Flush();
    if (built && !report.file.Commit()) {
        CliPrompter::Print(report.file.error());
        built = false;
    }
    // A run that fails has written nothing: the old report stays as it was.
    if (!built) return CliPrompter::Fail(document + ": no report was written");
    const long pages = PagesForDrawnLines(report.drawnLines);
    if (RenderRequestedOutputs(options, PagesHeading(header, shownCaption, options, pages), path) != 0) return 1;
    std::cout << path << ": " << pages << " pages\n";
    return 0;
}

// The report of the whole document read first.
int ReportOfWholeDocument(const ToolOptions& options, const std::string& document, const std::string& folder)
{
    DocumentReadResult read = ReadSheetDocument(document);
    if (!ShowReading(read)) return CliPrompter::Fail(document + ": the document could not be read");
    Document& doc = *read.document;
    const int sheetCount = static_cast<int>(doc.sheets.size());
    if (!options.allSheets && options.sheet > sheetCount)
        return CliPrompter::Fail(document + ": has no sheet " + std::to_string(options.sheet) + " (it has " +
                    std::to_string(sheetCount) + ")");

    std::string error;
    const auto path = ReportPath(options, document, folder, error);
    if (!path) {
        CliPrompter::Print(error);
        return CliPrompter::Fail(document + ": no report was written");
    }

    // Open shows the first sheet; a report of one sheet clicks its tab first.
    // The check box keeps the state of the last sheet shown: the combined
    // report prints the first sheet's in every section, as the window does.
    ShowThroughFactorBox(doc.sheets[0]);
    ReportFile report(*path);
    SheetComputation computation;
    std::vector<std::string> shown;
    bool built = true;
    const int last = options.allSheets ? sheetCount - 1 : options.sheet - 1;
    if (options.allSheets) {
        const int box = doc.sheets[0].MeasuredInEmbankment;
        for (int i = 0; i < sheetCount && built; ++i) {
            built = AppendSection(report, shown, computation, doc.sheets[i], i, doc, ReportMode::Total, box);
        }
    } else {
        ShowThroughFactorBox(doc.sheets[last]);
        built = AppendSection(report, shown, computation, doc.sheets[last], last, doc,
                              options.accumulated ? ReportMode::Accumulated : ReportMode::Total,
                              doc.sheets[last].MeasuredInEmbankment);
    }
    return FinishReport(report, built, shown, options, document, *path, doc, TabCaption(doc.sheets[last], last));
}

// The combined report made while the document is read: each sheet is
// computed and written as soon as the reader is done with it, so one sheet
// is in memory at a time. What the user sees is the report of the whole
// document read first: the reader's messages and error come before the
// computations' messages, and a document that cannot be read writes nothing.
// nullopt (nothing shown) when the whole document must be read first: no
// report path, or a units line after a computed sheet changed the units.
std::optional<int> ReportAsRead(const ToolOptions& options, const std::string& document,
                                const std::string& folder)
{
    std::string error;
    const auto path = ReportPath(options, document, folder, error);
    if (!path) return std::nullopt;

    ReportFile report(*path);
    SheetComputation computation;
    std::vector<std::string> shown;
    bool built = true;
    int box = 0;
    std::string lastCaption;
    std::vector<UnitSystem> unitsUsed;
    const CompleteSheet complete = [&](int index, Sheet& sheet, const Document& soFar) {
        lastCaption = TabCaption(sheet, index);
        if (!built) return;  // no section after a failing one
        if (index == 0) {
            ShowThroughFactorBox(sheet);
            box = sheet.MeasuredInEmbankment;
        }
        unitsUsed.push_back(soFar.units);
        built = AppendSection(report, shown, computation, sheet, index, soFar, ReportMode::Total, box);
    };
    const DocumentReadResult read = ReadSheetDocument(document, complete);
    if (read.document) {
        for (const UnitSystem units : unitsUsed)
            if (units != read.document->units) return std::nullopt;
    }
    if (!ShowReading(read)) return CliPrompter::Fail(document + ": the document could not be read");
    return FinishReport(report, built, shown, options, document, *path, *read.document, lastCaption);
}

} // namespace

std::string ReportFolderOfSettings()
{
    const std::string user = ExistingUserSettings();
    const std::string folder = user.empty() ? ShippedFilesFolder(ExecutableFolder()) : user;
    std::string error;
    if (auto reportFolder = ReadReportFolder(folder.empty() ? "mardex3.ini" : folder + "/mardex3.ini", error))
        return *reportFolder;
    CliPrompter::Print("Program Error: " + error + " occured in Form_Load");
    return {};
}

bool IsSheetDocument(const std::string& path)
{
    std::error_code ec;
    return ToUpper(path).find(".MDX") != std::string::npos && fs::is_regular_file(path, ec);
}

int RunSheetReport(const ToolOptions& options, const std::string& document)
{
    const std::string folder = ReportFolderOfSettings();
    if (options.allSheets)
        if (const auto done = ReportAsRead(options, document, folder)) return *done;
    return ReportOfWholeDocument(options, document, folder);
}

} // namespace mardex::cli
