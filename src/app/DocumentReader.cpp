#include "app/DocumentReader.h"

#include "app/Guarded.h"
#include "app/HeaderFields.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "formats/DocumentParser.h"
#include "formats/InputFile.h"
#include "formats/SheetDocumentReader.h"
#include "text/LineReader.h"
#include "app/GridEditor.h"
#include "app/Units.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace mardex {

namespace {

// The parser builds on the open document and asks through the session's boxes.
class SessionParserHost : public ParserHost {
public:
    explicit SessionParserHost(Session& s) : s_(s) {}
    // A sheet the parser starts takes the slot's name, factor and flag, but
    // none of the rows an earlier document or sheet left there.
    const Sheet& Existing(int index) const override
    {
        const Sheet& slot = s_.store[index];
        fresh_ = Sheet{};
        fresh_.TabName = slot.TabName;
        fresh_.BalanceFactor = slot.BalanceFactor;
        fresh_.MeasuredInEmbankment = slot.MeasuredInEmbankment;
        return fresh_;
    }
    std::string OtherTabName(std::string name) override
    {
        const Answer a = s_.ask.Ask(MessageBox{
            " Just a warning that you are importing same named tab or a group. Do you want to change it?",
            Buttons::YesNoCancel, Icon::None, "Warning"});
        if (a == Answer::Yes) return s_.ask.Input("Print the tab or groupname", "Change Tab Name", "");
        return name;
    }
    void Message(const std::string& text) override { s_.ask.Message(text); }

private:
    Session& s_;
    mutable Sheet fresh_;
};

} // namespace

bool ParseDocument(Session& s, std::istream& in, const std::string& name, ParseMode mode,
                   const std::string& prefix, const std::string& place, int& lineCounter)
{
    bool refused = false;
    const bool read = Guarded(s.ask, prefix, place, [&] {
        SessionParserHost host(s);
        ParserStart start;
        start.units = UnitOfNumber(s.doc.UnitSystem);
        start.sheetCount = s.doc.SheetCount;
        start.currentSheet = s.doc.CurrentSheet;
        start.legacyLayout = s.doc.LegacyFormat;
        start.unitsSettled = s.form.Label5Visible;
        DocumentParser parser(host, start, mode, name);
        try {
            FeedDocument(parser, in, name);
        } catch (const ImportRefused& e) {
            s.ask.Message(e.what(), Icon::Exclamation);
            refused = true;
            return;
        }
        for (int i = 0; i < MaxSheets; ++i)
            if (parser.Sheets()[i]) std::swap(s.store[i], *parser.Sheets()[i]);
        s.doc.UnitSystem = static_cast<int16_t>(UnitNumber(parser.Units()));
        s.doc.SheetCount = parser.SheetCount();
        s.doc.CurrentSheet = parser.CurrentSheet();
        // A document read brings its own descriptions; one that lacks a header
        // line has that description empty, never the previous document's.
        if (mode == ParseMode::Open) s.doc.DescriptionFields = parser.Descriptions();
        if (parser.EmbankmentRead()) {
            // The reader's own setting of the box: no change handler, nothing is
            // stored back into the sheet.
            s.form.txtShrinkFactor.text = "01.000";
            s.form.txtShrinkFactor.enabled = false;
        }
        lineCounter = parser.LineCounter();
    });
    return read && !refused;
}

int16_t CheckFirstLine(Session& s, const std::string& line)
{
    switch (LayoutOfFirstLine(line)) {
    case DocumentLayout::NotADocument: return 1;
    case DocumentLayout::Legacy:
        s.doc.LegacyFormat = true;
        s.doc.DataChanged = true;
        return 0;
    case DocumentLayout::Current:
        // A first line of "00000..." keeps the layout of the document before.
        if (line.front() == '[') s.doc.LegacyFormat = false;
        return 0;
    }
    return 1;
}

int16_t CheckFileCompatibility(Session& s, const std::string& path)
{
    int16_t result = 1;
    Guarded(s.ask, " Program Error: ", " (CheckFileCompatibility(NewFileIO))", [&] {
        if (const std::string problem = InputFileProblem(path, MaxDocumentBytes); !problem.empty())
            throw RuntimeFault(problem + " ");
        std::ifstream in(path, std::ios::binary);
        if (!in) throw RuntimeFault("cannot open " + path + ": " + std::strerror(errno) + " ");
        result = CheckFirstLine(s, ReadFirstLine(in));
    });
    return result;
}

void StoreDescription(Session& s, const std::string& text, int index)
{
    Guarded(s.ask, "Program Error : ", " occured in StoreDescription", [&] {
        if (index >= 1 && index <= 3) s.doc.DescriptionFields[index - 1] = text;
    });
}

void ShowReadDocument(Session& s, int lineCounter, bool showFirstSheet)
{
    UpDateGroupTab(s);
    if (showFirstSheet) s.doc.CurrentSheet = 0;
    s.form.SelectedTab = s.doc.CurrentSheet;
    // The grid shows only the sheet just read, not rows left from before.
    s.form.grid.SetRows(GridHeaderRows + 1);
    for (int c = 0; c < GridColumns; ++c) s.form.grid.SetText(GridHeaderRows, c, "");
    FillMainForm(s);
    // The box follows the sheet shown, not the last sheet the reader met.
    s.form.txtShrinkFactor.enabled = s.CurrentSheet().MeasuredInEmbankment != 1;
    SetMeasurementSystem(s);
    TopRowVisible(s, lineCounter);
    UpDateUnits(s);
}

int16_t ReadFileVersion2002(Session& s, std::istream& in, const std::string& name)
{
    int lineCounter = 0;
    const bool read = ParseDocument(s, in, name, ParseMode::Open, "Program Error: ", "(ReadFileVersion2002(NewFileIO))", lineCounter);
    if (!read) return 1;
    ShowReadDocument(s, lineCounter, true);
    s.form.Focus = FocusTarget::Designer;  // a document just opened starts at its header
    // Showing the sheet runs the header boxes' handlers, which mark the
    // document changed; only a first choice of the unit option cleared that
    // again. A document just read is unchanged, whichever option was shown.
    s.doc.DataChanged = false;
    return 0;
}

int16_t ReadFileVersion2002(Session& s)
{
    const std::string path = s.doc.CurrentFileName;
    if (const std::string problem = InputFileProblem(path, MaxDocumentBytes); !problem.empty()) {
        ErrorBox(s.ask, "Program Error: ", problem + " ", "(ReadFileVersion2002(NewFileIO))");
        return 1;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ErrorBox(s.ask, "Program Error: ", "cannot open " + path + ": " + std::strerror(errno) + " ",
                 "(ReadFileVersion2002(NewFileIO))");
        return 1;
    }
    return ReadFileVersion2002(s, in, path);
}

} // namespace mardex
