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

// A section of the report, or the window's message when the computation fails.
bool AppendSection(std::string& text, SheetComputation& c, const Sheet& sheet, int index, const Document& doc,
                   ReportMode mode, int embankmentBox)
{
    ComputeSheet(sheet, doc.units, mode, c);
    for (const std::string& message : c.messages) CliPrompter::Print(message);
    if (!c.ok()) {
        CliPrompter::Print("Program Error: " + c.fault + " occured in CreateTempRptFile");
        return false;
    }
    ReportHeading heading;
    heading.descriptionFields = doc.descriptionFields;
    heading.tabCaption = TabCaption(sheet, index);
    heading.units = doc.units;
    heading.embankment = embankmentBox;
    // A report built alone starts its grand totals at zero, and so does each
    // section of the combined report.
    WriteSheetReport(text, c, heading, c.totals);
    return true;
}

// The report text on its way to the file: written out in pieces of whole
// lines once the buffer holds enough, its drawn lines counted on the way.
struct ReportPieces {
    static constexpr std::size_t PieceSize = 512 * 1024;
    PiecewiseAtomicWriter& file;
    std::string text;
    int64_t drawnLines = 0;

    explicit ReportPieces(PiecewiseAtomicWriter& to) : file(to) { text.reserve(PieceSize + PieceSize / 2); }
    // A write that fails is kept by the file and reported at its commit.
    void Flush(bool all)
    {
        if (!all && text.size() < PieceSize) return;
        // A line ends at an LF whatever came before it.
        const std::size_t cut = all ? text.size() : text.rfind('\n') + 1;
        const std::string_view piece(text.data(), cut);
        drawnLines += DrawnLines(piece);
        file.Append(piece);
        text.erase(0, cut);
    }
};

// The page heading of the window after the report: the tab shown last is
// the sheet reported, or the last sheet after the combined report.
PageHeading PagesHeading(const Document& doc, const ToolOptions& options, long pages)
{
    const int shown = options.allSheets ? static_cast<int>(doc.sheets.size()) - 1 : options.sheet - 1;
    PageHeading heading;
    heading.designer = doc.descriptionFields[0];
    heading.projectNo = doc.descriptionFields[1];
    heading.controlNo = doc.descriptionFields[2];
    heading.tabCaption = TabCaption(doc.sheets[shown], shown);
    heading.metric = doc.units == UnitSystem::Metric;
    heading.mode = options.accumulated && !options.allSheets ? ReportMode::Accumulated : ReportMode::Total;
    heading.totalPages = pages;
    return heading;
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
    DocumentReadResult read = ReadSheetDocument(document);
    for (const std::string& message : read.messages) CliPrompter::Print(message);
    if (!read.document) {
        CliPrompter::Print(read.compatible ? "Program Error: " + read.error + "(ReadFileVersion2002(NewFileIO))"
                                           : NotCompatibleMessage);
        return CliPrompter::Fail(document + ": the document could not be read");
    }
    Document& doc = *read.document;
    const int sheetCount = static_cast<int>(doc.sheets.size());
    if (!options.allSheets && options.sheet > sheetCount)
        return CliPrompter::Fail(document + ": has no sheet " + std::to_string(options.sheet) + " (it has " +
                    std::to_string(sheetCount) + ")");

    std::string error;
    const auto path = options.output.empty() ? SheetReportPath(folder, document, error)
                                             : std::optional<std::string>(AbsolutePath(options.output));
    if (!path) {
        CliPrompter::Print(error);
        return CliPrompter::Fail(document + ": no report was written");
    }

    // Open shows the first sheet; a report of one sheet clicks its tab first.
    // The check box keeps the state of the last sheet shown: the combined
    // report prints the first sheet's in every section, as the window does.
    ShowThroughFactorBox(doc.sheets[0]);
    // The sections go to the file as they are made, through one buffer of a
    // few sections; the file replaces the old report only once all is written.
    PiecewiseAtomicWriter file(*path, -1, FlushToDisk::No);
    ReportPieces pieces(file);
    SheetComputation computation;
    bool built = true;
    if (options.allSheets) {
        const int box = doc.sheets[0].MeasuredInEmbankment;
        for (int i = 0; i < sheetCount && built; ++i) {
            built = AppendSection(pieces.text, computation, doc.sheets[i], i, doc, ReportMode::Total, box);
            pieces.Flush(false);
        }
    } else {
        const int i = options.sheet - 1;
        ShowThroughFactorBox(doc.sheets[i]);
        built = AppendSection(pieces.text, computation, doc.sheets[i], i, doc,
                              options.accumulated ? ReportMode::Accumulated : ReportMode::Total,
                              doc.sheets[i].MeasuredInEmbankment);
    }
    pieces.Flush(true);
    if (built && !file.Commit()) {
        CliPrompter::Print(file.error());
        built = false;
    }
    // A run that fails has written nothing: the old report stays as it was.
    if (!built) return CliPrompter::Fail(document + ": no report was written");
    const long pages = PagesForDrawnLines(pieces.drawnLines);
    if (RenderRequestedOutputs(options, PagesHeading(doc, options, pages), *path) != 0) return 1;
    std::cout << *path << ": " << pages << " pages\n";
    return 0;
}

} // namespace mardex::cli
