#include "app/DocumentWriter.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "text/AreaText.h"
#include "formats/AtomicFile.h"
#include "text/NumberText.h"

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

    std::string line;
    line.reserve(84);
    // Fields after the first are right-aligned in 12; one that fills its column
    // (or more) still gets a blank before it so it never merges with the field
    // before it and reads back whole.
    const auto append = [&line](std::string_view field, std::size_t width) {
        const bool padded = field.size() < width;
        if (!line.empty() && !padded && (field.empty() || field.front() != ' ')) line += ' ';
        if (padded) line.append(width - field.size(), ' ');
        line.append(field);
    };
    const auto trimmed = [&sheet, row](int c) {
        std::string_view text = sheet.Cell(c, row);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        return text;
    };

    const std::string_view station = trimmed(ColStation);
    if (const auto value = ParseNumber(station)) append(FormatStation(*value), 9);
    else append(station, 9);
    append(trimmed(ColCode), 12);  // right-aligned in 9, then in 12
    for (int c = ColCut; c <= ColAddedFill; ++c) {
        const std::string_view text = trimmed(c);
        append(AreaFieldText(text), 12);
    }
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = line.find_last_not_of(' ');
    return line.substr(first, last - first + 1);
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
