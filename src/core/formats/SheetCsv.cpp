#include "formats/SheetCsv.h"

#include "formats/CsvTable.h"
#include "text/DocumentName.h"
#include "text/NumberText.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace mardex {

namespace {

struct BadLine {
    long line;
    std::string what;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one "+" and one "." (at least one digit); a leading
// "-" only where `negative` allows it (stored numbers may carry one).
bool TypedNumber(std::string_view text, bool negative)
{
    if (negative && !text.empty() && text.front() == '-') text.remove_prefix(1);
    int plus = 0, point = 0, digits = 0;
    for (const char c : text) {
        if (IsDigit(c)) ++digits;
        else if (c == '+') ++plus;
        else if (c == '.') ++point;
        else return false;
    }
    return digits > 0 && plus <= 1 && point <= 1;
}

// A station cell: a typed number, optionally followed by the tag letters of
// an equation (1050AH, 1100B).
bool TypedStation(std::string_view text)
{
    const auto tag = text.find_first_of("AaBbHhKk");
    if (tag == std::string_view::npos) return TypedNumber(text, true);
    for (const char c : text.substr(tag))
        if (std::string_view("AaBbHhKk").find(c) == std::string_view::npos) return false;
    return TypedNumber(text.substr(0, tag), true);
}

// The value the station order check compares: the part before a tag.
double OrderValue(const std::string& station)
{
    const std::string upper = ToUpper(station);
    const auto tag = upper.find_first_of("AB");
    return StationToNumber(tag == std::string::npos ? upper : upper.substr(0, tag));
}

// A back or ahead row: by its code, or by the tag of a station text.
bool InEquation(const ImportedRow& row)
{
    return row[ColCode] == "AH" || row[ColCode] == "BK" || ToUpper(row[ColStation]).find('A') != std::string::npos;
}

const char* const ColumnNames[] = {"station", "code", "cut area", "added cut", "fill area", "added fill"};

// Digits beyond any double would be stored as "inf", which no later import
// or report reads back. `value` is the cell as the report reads it.
void CheckInRange(const CsvRecord& record, int column, const std::string& text, double value)
{
    if (!std::isfinite(value))
        throw BadLine{record.line, std::string("the ") + ColumnNames[column] + " \"" + text.substr(0, 20) + "...\" is too large"};
}

ImportedRow RowOf(const CsvRecord& record)
{
    if (record.fields.size() != 6)
        throw BadLine{record.line, "6 fields expected (station, code, cut area, added cut, fill area, added fill), " +
                                       std::to_string(record.fields.size()) + " found"};
    ImportedRow row;
    const std::string station = Trim(record.fields[0]);
    if (!TypedStation(station)) throw BadLine{record.line, "the station \"" + station + "\" is not a station"};
    CheckInRange(record, ColStation, station, OrderValue(station));
    // As a committed cell: a plain number takes the station mask, any other
    // station text stays as written.
    row[ColStation] = FormatStationText(station);

    const std::string code = Trim(record.fields[1]);
    if (code.find_first_of(" \t\r\n") != std::string::npos)
        throw BadLine{record.line, "the code \"" + code + "\" holds a blank"};
    const std::string known = NormaliseCode(code);
    row[ColCode] = code.empty() ? "-" : known.empty() ? code : known;

    for (int c = ColCut; c <= ColAddedFill; ++c) {
        const std::string text = Trim(record.fields[c]);
        if (text.empty()) {
            row[c] = "0.00";
            continue;
        }
        if (!TypedNumber(text, true))
            throw BadLine{record.line, std::string("the ") + ColumnNames[c] + " \"" + text + "\" is not a number"};
        CheckInRange(record, c, text, StationToNumber(text));
        row[c] = FormatAreaText(text);
    }
    return row;
}

bool IsHeader(const CsvRecord& record)
{
    std::string joined;
    for (std::size_t k = 0; k < record.fields.size(); ++k) joined += (k ? "," : "") + Trim(record.fields[k]);
    return joined == SheetCsvHeader;
}

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
    // Spreadsheets saving "CSV UTF-8" put a byte order mark first.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const CsvTable table = ParseCsv(bytes, DetectSeparator(bytes));
    try {
        if (!table.error.empty()) throw BadLine{table.errorLine, table.error};
        ImportedSheet sheet;
        sheet.tabName = DocumentName(tabName);
        std::size_t first = 0;
        if (!table.records.empty()) {
            const CsvRecord& head = table.records[0];
            if (IsHeader(head)) first = 1;
            else if (head.fields.empty() || !TypedStation(Trim(head.fields[0])))
                throw BadLine{head.line, "the first line is neither the header \"" + std::string(SheetCsvHeader) +
                                             "\" nor a row"};
        }
        if (table.records.empty()) throw BadLine{0, "neither the header nor a row"};
        for (std::size_t k = first; k < table.records.size(); ++k) {
            const CsvRecord& record = table.records[k];
            if (sheet.rows.size() == MaxDataRows) throw BadLine{record.line, "more than 1800 rows"};
            ImportedRow row = RowOf(record);
            // The order check of typing, except around a station equation:
            // its back and ahead rows may step either way.
            if (!sheet.rows.empty() && !InEquation(row) && !InEquation(sheet.rows.back())) {
                const double cur = OrderValue(row[ColStation]), prev = OrderValue(sheet.rows.back()[ColStation]);
                if (cur < prev)
                    throw BadLine{record.line, "the station " + FormatStation(cur) +
                                                   " is less than the previous station " + FormatStation(prev)};
            }
            sheet.rows.push_back(std::move(row));
        }
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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ImportResult result;
        result.fault = {path, 0, "the file cannot be read"};
        return result;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string name = path.substr(path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
    if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
    return ReadSheetCsv(bytes.str(), path, unitSystem, name.substr(0, 20));
}

bool IsCsvName(const std::string& path)
{
    const std::string l = Lower(path);
    return l.size() >= 4 && l.compare(l.size() - 4, 4, ".csv") == 0;
}

} // namespace mardex
