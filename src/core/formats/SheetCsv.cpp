#include "formats/SheetCsv.h"

#include "formats/CsvTable.h"
#include "formats/TextEncoding.h"
#include "text/DocumentName.h"
#include "text/NumberText.h"

#include <array>
#include <cmath>
#include <optional>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mardex {

namespace {

struct BadLine {
    long line;
    std::string what;
};

const char* const ColumnNames[] = {"station", "code", "cut area", "added cut", "fill area", "added fill"};

// A cell as a message shows it: control bytes written out, long texts cut.
std::string Shown(std::string_view text)
{
    std::string out;
    for (const char c : text.substr(0, 20)) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += c;
        }
    }
    return "\"" + out + (text.size() > 20 ? "...\"" : "\"");
}

// What the grid lets a user type into a station or number cell, "-" first
// for the negative values stored documents hold: digits with at most one
// "+" and one "." (at least one digit).
bool TypedNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    int plus = 0, point = 0, digits = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') ++digits;
        else if (c == '+') ++plus;
        else if (c == '.') ++point;
        else return false;
    }
    return digits > 0 && plus <= 1 && point <= 1;
}

// With ";" between the fields a "," is the decimal separator (12,5).
std::string DecimalPoint(std::string text, char separator)
{
    if (separator == ';' && text.find('.') == std::string::npos)
        if (const auto comma = text.find(','); comma != std::string::npos && text.find(',', comma + 1) == std::string::npos)
            text[comma] = '.';
    return text;
}

// A code of no known kind that a stored document may hold (and its CSV
// export then carry): one word of letters, digits, "-" and "_" that fits the
// code column. Anything else (blanks, control bytes, brackets, long texts)
// could not be written back as it was read.
bool StoredCodeWord(std::string_view code)
{
    if (code.empty() || code.size() > 15) return false;
    for (const char c : code)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return false;
    return true;
}

// One cell in the text the store keeps, as a committed cell keeps it, or
// the reason it is refused: stations and numbers as the grid lets them be
// typed (a plain number takes its mask, "10+5.5" stays as written), codes
// from the grid's list (in any case) or a stored document's code word.
std::string CellOf(const CsvRecord& record, std::size_t field, int column, char separator)
{
    const std::string where = "column " + std::to_string(field + 1) + " (" + ColumnNames[column] + "): ";
    const std::string text = Trim(record.fields[field]);
    if (column == ColCode) {
        const std::string code = ToUpper(text);
        if (code.empty()) return "-";
        for (const char* known : {"SA", "FB", "AH", "BK", "-"})
            if (code == known) return code;
        if (StoredCodeWord(text)) return text;
        throw BadLine{record.line, where + "the code " + Shown(text) + " is none of SA, FB, AH, BK, -"};
    }
    if (text.empty() && column != ColStation) return "0.00";
    const std::string typed = DecimalPoint(text, separator);
    if (!TypedNumber(typed)) {
        throw BadLine{record.line, where + "the " + ColumnNames[column] + " " + Shown(text) + " is not a " +
                                       (column == ColStation ? "station" : "number") +
                                       " (digits with at most one \"+\" and one \".\")"};
    }
    // Digits beyond any double would be stored as "inf", which no later
    // import or report reads back.
    if (!std::isfinite(StationToNumber(typed)))
        throw BadLine{record.line, where + "the " + std::string(ColumnNames[column]) + " " + Shown(text) + " is too large"};
    return column == ColStation ? FormatStationText(typed) : FormatAreaText(typed);
}

// A header field by its meaning: letters and digits only, any case
// ("Cut Area", "cut_area", "CUTAREA" and "Cut" are the cut area).
int ColumnOfHeader(std::string_view field)
{
    std::string key;
    for (const char c : field) {
        if (c >= 'A' && c <= 'Z') key += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) key += c;
    }
    static const struct {
        const char* key;
        int column;
    } names[] = {
        {"station", ColStation}, {"sta", ColStation},          {"code", ColCode},
        {"stationcode", ColCode}, {"cutarea", ColCut},          {"cut", ColCut},
        {"addedcut", ColAddedCut}, {"addedcutvol", ColAddedCut}, {"addcut", ColAddedCut},
        {"fillarea", ColFill},   {"fill", ColFill},             {"addedfill", ColAddedFill},
        {"addedfillvol", ColAddedFill}, {"addfill", ColAddedFill},
    };
    for (const auto& n : names)
        if (key == n.key) return n.column;
    return -1;
}

// Which field holds each column: the header's order, or the six in order.
struct Layout {
    std::array<int, ColumnCount> field{0, 1, 2, 3, 4, 5};  // -1: not in the file
    std::size_t fields = ColumnCount;
};

// The header's layout, or nullopt when the first line is a row.
std::optional<Layout> HeaderLayout(const CsvRecord& head, char separator)
{
    if (head.fields.empty()) return std::nullopt;
    const std::string first = DecimalPoint(Trim(head.fields[0]), separator);
    if (TypedNumber(first)) return std::nullopt;
    Layout layout;
    layout.field.fill(-1);
    layout.fields = head.fields.size();
    for (std::size_t k = 0; k < head.fields.size(); ++k) {
        const int column = ColumnOfHeader(head.fields[k]);
        if (column < 0 || layout.field[column] >= 0)
            throw BadLine{head.line, "column " + std::to_string(k + 1) + " of the header, " + Shown(Trim(head.fields[k])) +
                                         (column < 0 ? ", names none of " : ", names a column twice; the header is ") +
                                         "station, code, cut area, added cut, fill area, added fill (\"" +
                                         std::string(SheetCsvHeader) + "\")"};
        layout.field[column] = static_cast<int>(k);
    }
    if (layout.field[ColStation] < 0) throw BadLine{head.line, "the header has no station column"};
    return layout;
}

ImportedRow RowOf(const CsvRecord& record, const Layout& layout, char separator)
{
    if (record.fields.size() != layout.fields)
        throw BadLine{record.line, std::to_string(layout.fields) + " fields expected" +
                                       (layout.fields == ColumnCount ? std::string(" (station, code, cut area, added cut, "
                                                                                   "fill area, added fill), ")
                                                                     : std::string(" as in the header, ")) +
                                       std::to_string(record.fields.size()) + " found"};
    ImportedRow row;
    for (int c = 0; c < ColumnCount; ++c)
        row[c] = layout.field[c] < 0 ? (c == ColCode ? "-" : "0.00")
                                     : CellOf(record, static_cast<std::size_t>(layout.field[c]), c, separator);
    return row;
}

bool InEquation(const ImportedRow& row) { return row[ColCode] == "AH" || row[ColCode] == "BK"; }

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

std::string SheetToCsv(const Sheet& sheet)
{
    std::string out = std::string(SheetCsvHeader) + "\r\n";
    for (int r = 0; r < RowSlots && !sheet.IsEndMarker(r); ++r) {
        std::vector<std::string> fields;
        for (int c = 0; c < ColumnCount; ++c) fields.emplace_back(sheet.Cell(c, r));
        out += CsvLine(fields);
    }
    return out;
}

ImportResult ReadSheetCsv(std::string_view bytes, const std::string& file, int unitSystem, const std::string& tabName)
{
    ImportResult result;
    try {
        // Spreadsheets save "CSV UTF-8" with a byte order mark, "Unicode
        // text" as UTF-16.
        std::string decoded;
        std::string encodingError;
        std::string_view text = bytes;
        if (!DecodeToSingleBytes(text, decoded, encodingError)) throw BadLine{0, encodingError};
        const char separator = DetectSeparator(text);
        CsvReader reader(text, separator);
        ImportedSheet sheet;
        sheet.tabName = DocumentName(tabName);
        CsvRecord record;
        if (!reader.Next(record)) {
            if (!reader.error().empty()) throw BadLine{reader.errorLine(), reader.error()};
            throw BadLine{0, "neither the header nor a row"};
        }
        const std::optional<Layout> header = HeaderLayout(record, separator);
        const Layout layout = header.value_or(Layout{});
        // Rows are read one at a time, so that a file of far too many rows
        // is refused at the first row past the limit, not after reading it all.
        for (bool more = !header || reader.Next(record); more; more = reader.Next(record)) {
            if (sheet.rows.size() == MaxDataRows) throw BadLine{record.line, "more than 1800 rows"};
            ImportedRow row = RowOf(record, layout, separator);
            // The order check of typing, except around a station equation:
            // its back and ahead rows may step either way.
            if (!sheet.rows.empty() && !InEquation(row) && !InEquation(sheet.rows.back())) {
                const double cur = StationToNumber(row[ColStation]), prev = StationToNumber(sheet.rows.back()[ColStation]);
                if (cur < prev)
                    throw BadLine{record.line, "the station " + FormatStation(cur) +
                                                   " is less than the previous station " + FormatStation(prev)};
            }
            sheet.rows.push_back(std::move(row));
        }
        if (!reader.error().empty()) throw BadLine{reader.errorLine(), reader.error()};
        ImportedDocument document;
        document.unitSystem = unitSystem;
        document.sheets.push_back(std::move(sheet));
        result.document = std::move(document);
    } catch (const BadLine& bad) {
        result.fault = {file, bad.line, bad.what};
    }
    return result;
}

ImportResult ReadSheetCsvFile(const std::string& path, int unitSystem)
{
    std::string name = path.substr(path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    name = name.substr(0, 20);
    // The file is mapped, not copied: only the pages up to the row that
    // ends the reading are ever loaded.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const auto size = static_cast<std::size_t>(st.st_size);
        void* map = size == 0 ? nullptr : ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (size == 0 || map != MAP_FAILED) {
            ::close(fd);
            ImportResult result = ReadSheetCsv(std::string_view(static_cast<const char*>(map), size), path, unitSystem, name);
            if (size > 0) ::munmap(map, size);
            return result;
        }
    }
    if (fd >= 0) ::close(fd);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ImportResult result;
        result.fault = {path, 0, "the file cannot be read"};
        return result;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return ReadSheetCsv(bytes.str(), path, unitSystem, name);
}

bool IsCsvName(const std::string& path)
{
    const std::string l = Lower(path);
    return l.size() >= 4 && l.compare(l.size() - 4, 4, ".csv") == 0;
}

} // namespace mardex
