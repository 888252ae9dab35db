#include "app/DocumentParser.h"

#include "app/Guarded.h"
#include "app/Prompter.h"
#include "app/Session.h"
#include "text/LikePattern.h"
#include "text/LineReader.h"
#include "formats/RowFields.h"
#include "text/NumberText.h"

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

DocumentParser::DocumentParser(Session& s, ParseMode mode, std::string path)
    : s_(s),
      mode_(mode),
      path_(std::move(path)),
      unitSystem_(s.doc.UnitSystem),
      sheetCount_(s.doc.SheetCount),
      currentSheet_(mode == ParseMode::Open ? s.doc.CurrentSheet : static_cast<int16_t>(s.doc.SheetCount - 1))
{
}

Sheet& DocumentParser::Target(int index)
{
    if (index < 0 || index >= MaxSheets) Fail("the document has more than 26 sheets");
    if (!sheets_[index]) sheets_[index] = std::make_unique<Sheet>(s_.store[index]);
    return *sheets_[index];
}

void DocumentParser::Fail(const std::string& what) const
{
    throw DocumentFault(path_ + ", line " + std::to_string(number_) + ": " + what + " ");
}

bool DocumentParser::Line(std::string_view line, long long number)
{
    number_ = number;
    if (finished_) return false;
    // A text document holds no NUL byte; the rest of such a line would be lost.
    if (line.find('\0') != std::string_view::npos) Fail("the line holds a NUL byte");
    if (HeaderLine(line)) return true;

    if (expectFactor_) {
        expectFactor_ = false;
        // Whatever the line after "#BALANCE FACTOR" holds is the factor (a
        // number in its shortest form), so every factor written reads back.
        if (line.empty() || (line.front() != '#' && line.front() != '[')) {
            if (SheetReady()) {
                const auto value = ParseNumber(line);
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
    } else if (line.find('#') != std::string_view::npos) {
        lineCounter_ = rowIndex_ = rowsRead_ = 0;
        ++sectionCounter_;
        expectFactor_ = line == "#BALANCE FACTOR";
    } else if (line.find('+') != std::string_view::npos) {
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
    if (!inHeader_) return false;
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
        unitSystem_ = text == "METRIC" ? 1 : 0;
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
            const std::string& existing = sheets_[j] ? sheets_[j]->TabName : s_.store[j].TabName;
            if (existing == name || MatchesLike(existing, name)) {
                name = AskForOtherName(std::move(name));
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
    const bool chosen = s_.form.Label5Visible;  // the open document's unit system is settled
    if (!chosen || unitSystem_ == s_.doc.UnitSystem) return;
    const auto name = [](int16_t system) { return system == 1 ? std::string("metric") : std::string("English"); };
    throw ImportRefused(path_ + " is in " + name(unitSystem_) + " units and the open document in " +
                        name(s_.doc.UnitSystem) + " units: nothing was imported.");
}

std::string DocumentParser::AskForOtherName(std::string name)
{
    const Answer a = s_.ask.Ask(MessageBox{
        " Just a warning that you are importing same named tab or a group. Do you want to change it?",
        Buttons::YesNoCancel, Icon::None, "Warning"});
    if (a == Answer::Yes) return s_.ask.Input("Print the tab or groupname", "Change Tab Name", "");
    return name;
}

void DocumentParser::CloseSheet()
{
    if (!SheetReady()) return;
    Sheet& sheet = Target(currentSheet_);
    sheet.SetCell(ColStation, rowIndex_, std::string(EndMarker));
    if (mode_ == ParseMode::Open) sheet.TabName = pendingName_;
}

void DocumentParser::RowLine(std::string_view line)
{
    if (!SheetReady()) return;  // Import: rows before the first area line would land on an existing sheet
    if (rowIndex_ >= MaxDataRows) Fail("a sheet has more than 1800 rows");
    const SplitRow row = GetParameters(line, 1, s_.doc.LegacyFormat);
    if (!row.complete) {
        const int expected = s_.doc.LegacyFormat == 1 ? 5 : 6;
        ErrorBox(s_.ask, "Program Error: ",
                 path_ + ", line " + std::to_string(number_) + ": the row has fewer than " +
                     std::to_string(expected) + " fields; the missing ones are left empty",
                 " occured in GetParameters(NewFileIO).");
    }
    StoreStationValue(Target(currentSheet_), row.fields, rowIndex_, rowsRead_);
}

void DocumentParser::NumberLine(double value)
{
    if (!SheetReady()) return;
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

void DocumentParser::Commit()
{
    for (int i = 0; i < MaxSheets; ++i)
        if (sheets_[i]) std::swap(s_.store[i], *sheets_[i]);
    s_.doc.UnitSystem = unitSystem_;
    s_.doc.SheetCount = sheetCount_;
    s_.doc.CurrentSheet = currentSheet_ < 0 ? 0 : currentSheet_;
    // A document read brings its own descriptions; one that lacks a header
    // line has that description empty, never the previous document's.
    if (mode_ == ParseMode::Open)
        for (int i = 0; i < 3; ++i) s_.doc.DescriptionFields[i] = descriptionRead_[i] ? descriptions_[i] : "";
    if (embankmentRead_) {
        // The reader's own setting of the box: no change handler, nothing is
        // stored back into the sheet.
        s_.form.txtShrinkFactor.text = "01.000";
        s_.form.txtShrinkFactor.enabled = false;
    }
}

bool ParseDocument(Session& s, std::istream& in, const std::string& name, ParseMode mode,
                   const std::string& prefix, const std::string& place, int& lineCounter)
{
    bool refused = false;
    const bool read = Guarded(s.ask, prefix, place, [&] {
        DocumentParser parser(s, mode, name);
        LineReader lines(in);
        std::string line;
        try {
            while (lines.Next(line))
                if (!parser.Line(line, lines.Number())) break;
        } catch (const ImportRefused& e) {
            s.ask.Message(e.what(), Icon::Exclamation);
            refused = true;
            return;
        }
        if (in.bad()) throw DocumentFault(name + ": the file could not be read to its end ");
        parser.End();
        parser.Commit();
        lineCounter = parser.LineCounter();
    });
    return read && !refused;
}

} // namespace mardex
