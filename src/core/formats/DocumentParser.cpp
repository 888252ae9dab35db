#include "formats/DocumentParser.h"

#include "text/LikePattern.h"
#include "text/TextLines.h"
#include "formats/RowFields.h"
#include "text/NumberText.h"

#include <cmath>
#include <cstring>
#include <istream>

namespace mardex {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The text between "[" and the first "]" (to the end when there is none, as
// in a document cut short inside its last line).
std::string_view BracketText(std::string_view line)
{
    std::string_view text = line.substr(1);
    const auto close = text.find(']');
    return close == std::string_view::npos ? text : text.substr(0, close);
}

bool IsUnitLine(std::string_view text, ParseMode mode)
{
    return text == "METRIC" || text == "ENGLISH" || text == "VERSION 2002" ||
           (mode == ParseMode::Import && text == "VERSION 97.1");
}

bool IsLeadingLine(std::string_view text)
{
    return text == "METRIC" || text == "ENGLISH" || text == "VERSION 2002" || text == "VERSION 97.1";
}

std::string_view FirstWord(std::string_view text)
{
    const auto blank = text.find(' ');
    return blank == std::string_view::npos ? text : text.substr(0, blank);
}

// The sheet name of an area line: the text after "END", "AREA" and the
// number, leading blanks removed, inner blanks kept.
std::string NameAfterThirdWord(std::string_view text)
{
    std::size_t pos = 0;
    for (int word = 0; word < 3; ++word) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        while (pos < text.size() && text[pos] != ' ') ++pos;
    }
    return TrimLeft(text.substr(pos));
}

} // namespace

DocumentParser::DocumentParser(ParserHost& host, const ParserStart& start, ParseMode mode, std::string path)
    : host_(host),
      legacy_(start.legacyLayout),
      sheetBySheet_(start.sheetBySheet && mode == ParseMode::Open),
      mode_(mode),
      path_(std::move(path)),
      unitSystem_(start.units),
      openUnits_(start.units),
      openUnitsSettled_(start.unitsSettled),
      sheetCount_(start.sheetCount),
      currentSheet_(mode == ParseMode::Open ? start.currentSheet : static_cast<int16_t>(start.sheetCount - 1))
{
}

Sheet& DocumentParser::NewTarget(int index)
{
    if (index < 0 || index >= MaxSheets) Fail("the document has more than 26 sheets");
    if (spare_) {
        // Assigning keeps the storage of the cell columns: the next sheet
        // fills the pages the last one used.
        *spare_ = host_.Existing(index);
        sheets_[index] = std::move(spare_);
    } else {
        sheets_[index] = std::make_unique<Sheet>(host_.Existing(index));
    }
    return *sheets_[index];
}

void DocumentParser::Fail(const std::string& what) const
{
    throw DocumentFault(path_ + ", line " + std::to_string(number_) + ": " + what + " ");
}

bool DocumentParser::OtherLine(std::string_view line, unsigned marks)
{
    // A text document holds no NUL byte; the rest of such a line would be lost.
    if (marks & MarkNul) Fail("the line holds a NUL byte");
    if (inHeader_ && HeaderLine(line)) return true;

    if (expectFactor_) {
        expectFactor_ = false;
        // Whatever the line after "#BALANCE FACTOR" holds is the factor (a
        // number in its shortest form), so every factor written reads back.
        if (line.empty() || (line.front() != '#' && line.front() != '[')) {
            if (SheetReady()) {
                const auto value = ParseNumber(line);
                if ((value && !std::isfinite(*value)) || NamesNonFiniteValue(line))
                    Fail("the balance factor \"" + std::string(line.substr(0, 40)) + "\" is no finite number");
                Target(currentSheet_).BalanceFactor = value ? GeneralText(*value) : std::string(line);
            }
            ++lineCounter_;
            return true;
        }
    }

    if (line.empty()) {
        // nothing
    } else if (line.front() == '[') {
        Bracket(line);
        if (finished_) return false;
    } else if (marks & MarkHash) {
        lineCounter_ = rowIndex_ = rowsRead_ = 0;
        ++sectionCounter_;
        expectFactor_ = line == "#BALANCE FACTOR";
    } else if (marks & MarkPlus) {
        RowLine(line);
    } else if (StartsWith(line, "00000")) {
        lineCounter_ = rowIndex_ = rowsRead_ = 0;
    } else if (const auto value = ParseNumber(line)) {
        NumberLine(*value);
    }
    // Any other line outside the three header lines is ignored.
    ++lineCounter_;
    return true;
}

// The three lines after the leading version and unit lines are the
// designer, project number and control number, whatever they hold.
bool DocumentParser::HeaderLine(std::string_view line)
{
    if (!line.empty() && line.front() == '[') {
        const std::string_view text = BracketText(line);
        const std::string_view first = FirstWord(text);
        if (first == "END" || first == "LAST") {
            inHeader_ = false;  // a document without its description lines
            return false;
        }
        if (descriptionsTaken_ == 0 && IsLeadingLine(text)) return false;
    }
    if (descriptionsTaken_ == 0 && StartsWith(line, "00000") && lineCounter_ == 0) return false;

    if (mode_ == ParseMode::Open) {
        descriptions_[descriptionsTaken_] = std::string(line);
        descriptionRead_[descriptionsTaken_] = true;
    }
    if (++descriptionsTaken_ == 3) inHeader_ = false;
    ++lineCounter_;
    return true;
}

void DocumentParser::Bracket(std::string_view line)
{
    const std::string_view text = BracketText(line);
    if (IsUnitLine(text, mode_)) {
        unitSystem_ = text == "METRIC" ? UnitSystem::Metric : UnitSystem::English;
        lineCounter_ = 0;
        rowIndex_ = 0;
        return;
    }
    if (text.find(' ') == std::string_view::npos)
        Fail("a bracket line without a blank: \"" + std::string(line.substr(0, 80)) + "\"");
    const std::string_view first = FirstWord(text);
    if (first == "END") {
        AreaLine(text);
    } else if (first == "LAST") {
        CloseSheet();
        finished_ = true;
    }
}

void DocumentParser::AreaLine(std::string_view text)
{
    if (mode_ == ParseMode::Open) {
        // Every area line after the first closes the sheet before it, rows
        // or none, so an empty sheet in the middle keeps its place.
        if (sheetOpen_ || rowsRead_ == 1) {
            CloseSheet();
            sectionCounter_ = 0;
            if (currentSheet_ + 1 >= MaxSheets) Fail("the document has more than 26 sheets");
            ++currentSheet_;
            ++sheetCount_;
        }
        pendingName_ = NameAfterThirdWord(text);
    } else {
        if (!importOpened_) RefuseOtherUnits();
        CloseSheet();
        sectionCounter_ = 0;
        if (currentSheet_ + 1 >= MaxSheets) Fail("the import would make more than 26 sheets");
        ++currentSheet_;
        ++sheetCount_;
        std::string name = NameAfterThirdWord(text);
        for (int j = 0; j < currentSheet_; ++j) {
            const std::string& existing = sheets_[j] ? sheets_[j]->TabName : host_.Existing(j).TabName;
            if (existing == name || MatchesLike(existing, name)) {
                name = host_.OtherTabName(std::move(name));
                break;
            }
        }
        Target(currentSheet_).TabName = std::move(name);
        importOpened_ = true;
    }
    rowIndex_ = lineCounter_ = rowsRead_ = 0;
    sheetOpen_ = true;
}

// Sheets of the other unit system would make the reports mix units. The
// unit lines come before the first sheet, so nothing has been asked yet.
void DocumentParser::RefuseOtherUnits() const
{
    if (!openUnitsSettled_ || unitSystem_ == openUnits_) return;
    const auto name = [](UnitSystem units) {
        return units == UnitSystem::Metric ? std::string("metric") : std::string("English");
    };
    throw ImportRefused(path_ + " is in " + name(unitSystem_) + " units and the open document in " +
                        name(openUnits_) + " units: nothing was imported.");
}

void DocumentParser::CloseSheet()
{
    if (!SheetReady()) return;
    Sheet& sheet = Target(currentSheet_);
    sheet.SetCell(ColStation, rowIndex_, std::string(EndMarker));
    if (mode_ == ParseMode::Open) sheet.TabName = pendingName_;
    // Nothing writes into a sheet once it is closed: the next line that
    // touches a sheet touches the next one, or the document has ended.
    if (sheetBySheet_) {
        host_.SheetComplete(currentSheet_, sheet);
        spare_ = std::move(sheets_[currentSheet_]);
    }
}

void DocumentParser::RowLine(std::string_view line)
{
    if (!SheetReady()) return;  // Import: rows before the first area line would land on an existing sheet
    if (rowIndex_ >= MaxDataRows) Fail("a sheet has more than 1800 rows");
    RowTexts& row = rowTexts_;
    GetParameters(line, 1, legacy_ ? 1 : 0, row);
    RefuseNonFinite(row);
    if (!row.complete) {
        const int expected = legacy_ ? 5 : 6;
        host_.Message("Program Error: " + path_ + ", line " + std::to_string(number_) + ": the row has fewer than " +
                      std::to_string(expected) + " fields; the missing ones are left empty" +
                      " occured in GetParameters(NewFileIO).");
    }
    StoreStationValue(Target(currentSheet_), row, rowIndex_, rowsRead_);
}

// A station or quantity of "nan" or "inf" (or digits beyond any double)
// would be reported as 0 or break the computation: the document is refused.
void DocumentParser::RefuseNonFinite(const RowTexts& row) const
{
    static const char* const names[] = {"station", "code", "cut area", "added cut", "fill area", "added fill"};
    for (int c = 0; c < ColumnCount; ++c) {
        if (c == ColCode) continue;
        const std::string_view text = row.texts[static_cast<std::size_t>(c)];
        // Only a text that reads as 0 can be a word; a cheap test first.
        const bool word = row.values[static_cast<std::size_t>(c)] == 0 &&
                          text.find_first_of("nN") != std::string_view::npos && NamesNonFiniteValue(text);
        if (word || !std::isfinite(row.values[static_cast<std::size_t>(c)]))
            Fail(std::string("the ") + names[c] + " \"" + std::string(text.substr(0, 40)) + "\" is no finite number");
    }
}

void DocumentParser::NumberLine(double value)
{
    if (!SheetReady()) return;
    if (!std::isfinite(value) && sectionCounter_ <= 2) Fail("a value beyond any number");
    if (sectionCounter_ == 1) {
        Target(currentSheet_).BalanceFactor = GeneralText(value);
    } else if (sectionCounter_ == 2) {
        const double n = nearest(value);
        if (!(n >= -32768 && n <= 32767)) Fail("the embankment value is out of range");
        Sheet& sheet = Target(currentSheet_);
        sheet.MeasuredInEmbankment = static_cast<int16_t>(n);
        if (sheet.MeasuredInEmbankment == 1) {
            sheet.BalanceFactor = "01.000";
            embankmentRead_ = true;
        }
    }
}

void DocumentParser::End()
{
    if (finished_) return;
    // A document without "[LAST RECORD]": its last sheet ends with the file.
    CloseSheet();
    finished_ = true;
}

std::array<std::string, 3> DocumentParser::Descriptions() const
{
    std::array<std::string, 3> d;
    if (mode_ == ParseMode::Open)
        for (int i = 0; i < 3; ++i) d[i] = descriptionRead_[i] ? descriptions_[i] : "";
    return d;
}

void FeedDocument(DocumentParser& parser, std::istream& in, const std::string& name)
{
    // Read in large pieces and split in place: the lines of each piece are
    // views into it, and a piece's unfinished last line moves to the front of
    // the next. The buffer grows only for a line longer than itself.
    std::string buffer(1 << 18, '\0');
    std::size_t kept = 0;
    long long number = 0;
    bool reading = true;
    auto feed = [&](std::string_view lines) {
        ForEachMarkedLine(lines, [&](std::string_view line, unsigned marks) {
            if (reading) reading = parser.Line(line, ++number, marks);
        });
    };
    while (reading) {
        if (kept == buffer.size()) buffer.resize(buffer.size() * 2);
        in.read(buffer.data() + kept, static_cast<std::streamsize>(buffer.size() - kept));
        const std::size_t filled = kept + static_cast<std::size_t>(in.gcount());
        if (filled == kept) {
            feed(std::string_view(buffer.data(), kept));  // the last line has no line end
            break;
        }
        // Whole lines end at the last LF, or at the last CR that is not the
        // piece's final byte (an LF may follow it in the next piece).
        const std::string_view piece(buffer.data(), filled);
        std::size_t end = piece.find_last_of('\n');
        const std::size_t cr = filled > 1 ? piece.find_last_of('\r', filled - 2) : std::string_view::npos;
        if (end == std::string_view::npos || (cr != std::string_view::npos && cr > end)) end = cr;
        if (end == std::string_view::npos) {
            kept = filled;
            continue;
        }
        feed(piece.substr(0, end + 1));
        kept = filled - (end + 1);
        std::memmove(buffer.data(), buffer.data() + end + 1, kept);
    }
    if (in.bad()) throw DocumentFault(name + ": the file could not be read to its end ");
    parser.End();
}

} // namespace mardex
