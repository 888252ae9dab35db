#include "app/ForeignDocument.h"

#include "app/MainForm.h"
#include "app/Session.h"
#include "app/DocumentReader.h"
#include "formats/InputFile.h"
#include "text/LikePattern.h"
#include "app/Guarded.h"
#include "formats/AtomicFile.h"
#include "formats/LandXmlReader.h"
#include "formats/SheetCsv.h"
#include "text/NumberText.h"

namespace mardex {

namespace {

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

Sheet MakeSheet(const ImportedSheet& read)
{
    Sheet sheet;
    sheet.TabName = read.tabName;
    int r = 0;
    for (const ImportedRow& row : read.rows) {
        for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, r, row[c]);
        ++r;
    }
    sheet.SetCell(ColStation, r, std::string(EndMarker));
    return sheet;
}

bool HasRows(const Session& s)
{
    for (int i = 0; i < s.doc.SheetCount; ++i)
        if (const std::string_view first = s.store[i].Cell(ColStation, 0); !first.empty() && first != EndMarker)
            return true;
    return false;
}

constexpr std::uintmax_t MaxLandXmlBytes = 512ull << 20;

const char* UnitName(int unit) { return unit == 1 ? "metric" : "English"; }

} // namespace

bool IsForeignDocumentName(const std::string& path)
{
    const std::string upper = ToUpper(path);
    return EndsWith(upper, ".XML") || EndsWith(upper, ".LANDXML") || EndsWith(upper, ".CSV");
}

std::optional<ImportedDocument> ReadForeignDocument(Session& s, const std::string& path, int csvUnitSystem)
{
    // A CSV sheet is far smaller than a document; cross sections with
    // detailed surfaces may be large, but not without end.
    const std::uintmax_t limit = IsCsvName(path) ? MaxDocumentBytes : MaxLandXmlBytes;
    if (const std::string problem = InputFileProblem(path, limit); !problem.empty()) {
        s.ask.Message(problem, Icon::Exclamation);
        return std::nullopt;
    }
    if (IsCsvName(path)) {
        const ImportResult sheet = ReadSheetCsvFile(path, csvUnitSystem);
        if (!sheet) {
            s.ask.Message(sheet.fault.Message(), Icon::Exclamation);
            return std::nullopt;
        }
        return sheet.document;
    }
    const LandXmlResult read = ReadLandXmlFile(path, [&](const std::vector<std::string>& names, const SurfaceChoice& proposal) {
        return s.ask.ChooseSurfaces(names, proposal);
    });
    if (!read) {
        s.ask.Message(read.fault.Message(), Icon::Exclamation);
        return std::nullopt;
    }
    return read.document;
}

void ShowForeignDocument(Session& s, const ImportedDocument& read, const std::string& path)
{
    ShowSheetDocumentMode(s);
    s.form.Label4Visible = true;
    s.form.txtShrinkFactor.visible = true;
    s.form.txtShrinkFactor.enabled = true;
    for (std::size_t i = 0; i < read.sheets.size(); ++i) s.store[static_cast<int>(i)] = MakeSheet(read.sheets[i]);
    s.doc.SheetCount = static_cast<int16_t>(read.sheets.size());
    s.doc.CurrentSheet = 0;
    s.doc.UnitSystem = static_cast<int16_t>(read.unitSystem);
    s.doc.DescriptionFields = {"", read.projectName, ""};
    ShowReadDocument(s, 0, true);
    // Not yet a sheet document: Save asks for its name, and exit offers to save.
    s.doc.CurrentFileName = "UNTITLED";
    s.doc.DocumentFile.clear();
    s.doc.DataChanged = true;
    s.form.Caption = "MARDEX :" + path;
}

int16_t AppendForeignDocument(Session& s, const ImportedDocument& read, const std::string& path)
{
    const int first = s.doc.SheetCount;
    if (first + static_cast<int>(read.sheets.size()) > MaxSheets) {
        s.ask.Message(path + ": the import would make more than 26 sheets; nothing was imported", Icon::Exclamation);
        return 1;
    }
    if (read.unitSystem != s.doc.UnitSystem && HasRows(s)) {
        s.ask.Message(path + ": the file is " + UnitName(read.unitSystem) + " and the document " +
                          UnitName(s.doc.UnitSystem) + "; nothing was imported",
                      Icon::Exclamation);
        return 1;
    }
    std::vector<Sheet> sheets;
    for (const ImportedSheet& sheet : read.sheets) {
        sheets.push_back(MakeSheet(sheet));
        // As Import MDX File: a tab name already taken may be changed.
        std::string& name = sheets.back().TabName;
        for (int j = 0; j < first + static_cast<int>(sheets.size()) - 1; ++j) {
            const std::string& existing = j < first ? s.store[j].TabName : sheets[j - first].TabName;
            if (existing != name && !MatchesLike(existing, name)) continue;
            const Answer a = s.ask.Ask(MessageBox{
                " Just a warning that you are importing same named tab or a group. Do you want to change it?",
                Buttons::YesNoCancel, Icon::None, "Warning"});
            if (a == Answer::Yes) name = s.ask.Input("Print the tab or groupname", "Change Tab Name", "");
            break;
        }
    }
    for (std::size_t i = 0; i < sheets.size(); ++i) s.store[first + static_cast<int>(i)] = std::move(sheets[i]);
    s.doc.SheetCount = static_cast<int16_t>(first + read.sheets.size());
    s.doc.CurrentSheet = static_cast<int16_t>(s.doc.SheetCount - 1);
    s.doc.UnitSystem = static_cast<int16_t>(read.unitSystem);
    ShowReadDocument(s, 0, false);
    return 0;
}

bool WriteSheetCsv(Session& s, const std::string& path, std::string& error)
{
    const AtomicWriteResult written =
        s.writer->Write(path, SheetToCsv(s.CurrentSheet()));
    error = written.error;
    return written.ok;
}

void mnuExportSheetCsv_Click(Session& s)
{
    ExportCsvThroughDialog(s, "mnuExportSheetCsv_Click",
                           [&](const std::string& path, std::string& error) { return WriteSheetCsv(s, path, error); });
}

void ExportCsvThroughDialog(Session& s, const std::string& handler,
                            const std::function<bool(const std::string&, std::string&)>& write)
{
    Guarded(s.ask, "Program Error: ", " occured in " + handler, [&] {
        FileDialogRequest request;
        request.mode = FileDialogMode::Save;
        request.filter = "CSV Files(*.csv)|*.csv|All Files(*.*)|*.*";
        const auto chosen = s.ask.ChooseFile(request);
        if (!chosen || chosen->empty()) {
            s.ask.Message("NO FILE IS SELECTED");
            return;
        }
        std::string error;
        if (write(*chosen, error)) s.ask.Message(" FILE : " + *chosen + " IS SAVED SUCCESSFULLY");
        else if (!error.empty()) s.ask.Message(error, Icon::Exclamation);
    });
}

} // namespace mardex
