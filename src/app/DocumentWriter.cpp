#include "app/DocumentWriter.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "formats/AtomicFile.h"
#include "formats/RowLayout.h"
#include "text/NumberText.h"

#include <array>
#include <filesystem>
#include <ostream>

namespace mardex {

namespace {

constexpr const char* LineEnd = "\r\n";

std::string EmbankmentText(int16_t value)
{
    // A number as the platform's Str() writes it: a blank for the sign of a
    // positive value, then one trailing blank.
    return (value < 0 ? "" : " ") + std::to_string(value) + " ";
}

void AppendSheet(Session& s, int t, std::string& out)
{
    Sheet& sheet = s.store[t];
    out += "[END AREA " + std::to_string(t + 1) + " " + sheet.TabName + "]" + LineEnd;
    out += "#BALANCE FACTOR";
    out += LineEnd;
    out += sheet.BalanceFactor + LineEnd;
    out += "#MEASURED IN EMBANKMENT";
    out += LineEnd;
    out += EmbankmentText(sheet.MeasuredInEmbankment) + LineEnd;
    out += ColumnHeaderLine;
    out += LineEnd;
    for (int r = 0; r < RowSlots && !sheet.IsEndMarker(r); ++r) {
        out += RowLine(sheet, r);
        out += LineEnd;
    }
}

} // namespace

std::string RowLine(Sheet& sheet, int row)
{
    for (int c = 0; c < ColumnCount; ++c)
        if (sheet.Cell(c, row).empty()) sheet.SetCell(c, row, "0.0");
    std::array<std::string_view, ColumnCount> cells;
    for (int c = 0; c < ColumnCount; ++c) cells[static_cast<std::size_t>(c)] = sheet.Cell(c, row);
    return WrittenRowLine(cells);
}

std::string SheetDocumentText(Session& s)
{
    std::string out;
    std::size_t rows = 0;
    for (int t = 0; t < std::min<int>(s.doc.SheetCount, MaxSheets); ++t) rows += static_cast<std::size_t>(s.store[t].RowsHeld());
    out.reserve(1024 + rows * 90);
    out += "[VERSION 2002]";
    out += LineEnd;
    out += s.doc.UnitSystem == 1 ? "[METRIC]" : "[ENGLISH]";
    out += LineEnd;
    for (const auto& box : s.form.txtDescri) out += box.text + LineEnd;
    const int count = std::min<int>(s.doc.SheetCount, MaxSheets);
    for (int t = 0; t < count; ++t) AppendSheet(s, t, out);
    out += "[LAST RECORD]";
    out += LineEnd;
    return out;
}

void Write2002VersionFile(Session& s, std::ostream& out)
{
    const std::string text = SheetDocumentText(s);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

bool Write2002VersionFile(Session& s, const std::string& path, std::string& error)
{
    const AtomicWriteResult result =
        s.writer->Write(path, SheetDocumentText(s));
    error = result.error;
    return result.ok;
}

int16_t Write2002VersionFile(Session& s)
{
    int16_t status = 2;
    Guarded(s.ask, "Program Error: ", " occured in Write2002VersionFile", [&] {
        const std::string& name = s.doc.CurrentFileName;
        std::error_code ec;
        // A target that cannot be replaced is refused before any question.
        if (const std::string why = ReasonNotWritable(name); !why.empty())
            throw RuntimeFault("cannot write " + name + ": " + why + "; the file was not saved");
        if (name != s.doc.DocumentFile && std::filesystem::exists(name, ec)) {
            const Answer a = s.ask.Ask(MessageBox{" OVERWRITE EXISTING FILE " + name + " ?", Buttons::YesNo,
                                                  Icon::Question, AppTitle, true});
            if (a != Answer::Yes) {
                status = 1;
                return;
            }
        }
        std::string error;
        if (!Write2002VersionFile(s, name, error))
            throw RuntimeFault(error + "; the file was not saved and is unchanged");
        status = 0;
    });
    return status;
}

} // namespace mardex
