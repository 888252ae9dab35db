#include "app/DocumentReader.h"

#include "app/Guarded.h"
#include "app/HeaderFields.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/DocumentParser.h"
#include "formats/InputFile.h"
#include "text/LineReader.h"
#include "app/GridEditor.h"
#include "app/Units.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace mardex {

namespace {

// Only the beginning of the first line matters; a huge first line (a file
// that is not a document) is not read whole.
std::string FirstLine(std::istream& in)
{
    std::string line;
    std::streambuf* buf = in.rdbuf();
    for (int n = 0; n < 4096; ++n) {
        const auto ch = buf->sbumpc();
        if (ch == std::char_traits<char>::eof() || ch == '\r' || ch == '\n') break;
        line.push_back(static_cast<char>(ch));
    }
    return line;
}

} // namespace

int16_t CheckFirstLine(Session& s, const std::string& line)
{
    if (line.empty()) return 1;
    if (line.front() == '[') {
        const auto close = line.find(']');
        const std::string text = close == std::string::npos ? std::string() : line.substr(1, close - 1);
        if (text == "VERSION 2002") {
            s.doc.LegacyFormat = 0;
            return 0;
        }
        if (text == "VERSION 97.1") {
            s.doc.LegacyFormat = 1;
            s.doc.DataChanged = 1;
            return 0;
        }
        return 1;
    }
    return line.rfind("00000", 0) == 0 ? 0 : 1;
}

int16_t CheckFileCompatibility(Session& s, const std::string& path)
{
    int16_t result = 1;
    Guarded(s.ask, " Program Error: ", " (CheckFileCompatibility(NewFileIO))", [&] {
        if (const std::string problem = InputFileProblem(path, MaxDocumentBytes); !problem.empty())
            throw RuntimeFault(problem + " ");
        std::ifstream in(path, std::ios::binary);
        if (!in) throw RuntimeFault("cannot open " + path + ": " + std::strerror(errno) + " ");
        result = CheckFirstLine(s, FirstLine(in));
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
    SetMesurementSyste(s);
    TopRowVisible(s, lineCounter);
    UpDateUnits(s);
}

int16_t ReadFileVersion2002(Session& s, std::istream& in, const std::string& name)
{
    int lineCounter = 0;
    const bool read = ParseDocument(s, in, name, ParseMode::Open, "Program Error: ", "(ReadFileVersion2002(NewFileIO))", lineCounter);
    if (!read) return 1;
    ShowReadDocument(s, lineCounter, true);
    // Showing the sheet runs the header boxes' handlers, which mark the
    // document changed; only a first choice of the unit option cleared that
    // again. A document just read is unchanged, whichever option was shown.
    s.doc.DataChanged = 0;
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
