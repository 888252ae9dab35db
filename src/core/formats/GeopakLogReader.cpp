#include "formats/GeopakLogReader.h"

#include "formats/InputFile.h"
#include "text/LineReader.h"
#include "text/NumberText.h"
#include "text/RuntimeFault.h"
#include "text/TextLines.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace mardex {

namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }
bool IsDashesLine(std::string_view line) { return Contains(line, "----------"); }

// The text after the first "="; the whole text when there is none.
std::string AfterFirstEquals(const std::string& text)
{
    const auto eq = text.find('=');
    return eq == std::string::npos ? text : text.substr(eq + 1);
}

// Reading past the last line ends the pass that reads.
struct EndOfLog {};

class LogLineReader {
public:
    explicit LogLineReader(const std::vector<std::string>& lines) : lines_(lines) {}
    const std::string& Read()
    {
        if (next_ >= lines_.size()) throw EndOfLog{};
        return lines_[next_++];
    }
    // The next line that is not empty after trimming.
    const std::string& ReadNonEmpty()
    {
        for (;;) {
            const std::string& line = Read();
            if (line.find_first_not_of(' ') != std::string::npos) return line;
        }
    }
    std::size_t LineNumber() const { return next_; }  // 1-based number of the line read last

private:
    const std::vector<std::string>& lines_;
    std::size_t next_ = 0;
};

const std::string ParseErrorPlace = " occured in Parse_Station_String";

// One reading of a log into one tab.
class LogReader {
public:
    LogReader(LogReadResult& r, const std::vector<std::string>& lines, const std::string& fileName)
        : r_(r), t_(r.log), lines_(lines), fileName_(fileName) {}

    void Pass1()
    {
        LogLineReader r(lines_);
        bool first = true;
        try {
            for (;;) {
                const std::string* line = &r.Read();
                if (Contains(ToUpper(*line), "ADJUSTMENT")) line = &Adjustment(r);
                const std::string upper = ToUpper(*line);
                if (Contains(upper, "ADD ACCUMULATED")) {
                    r_.accumulated = true;
                    t_.LogEntries.Write(0).HasAccumulated = 1;
                }
                if (Contains(*line, "meters)   meters)    meters)") ||
                    Contains(*line, "meters)    meters)    meters)                    meters)   meters)"))
                    r_.unitSystem = 1;
                if (first) r_.firstUnitSystem = r_.unitSystem;
                first = false;
                if (Contains(upper, "EARTHWORKS FOR BASELINE")) r_.baselineName = AfterFirstEquals(*line);
                if (IsDashesLine(*line)) TableSection(r);
            }
        } catch (const EndOfLog&) {
        }
    }

    void Pass2()
    {
        LogLineReader r(lines_);
        int32_t row = 0;  // kept across headings
        try {
            for (;;) {
                const std::string& heading = r.Read();
                if (Trim(heading).empty() || !Contains(heading, "P O I N T")) continue;
                const std::string* x = &r.Read();
                while (!Contains(*x, "COMPLETE")) {
                    const std::string* y = &r.Read();
                    if (IsDashesLine(*y)) row = 0;
                    while (!Contains(*y, "+")) {
                        ++row;
                        TokenizeLogRow(*y, BalanceRecord(r_.balancePointsRead), LogRowTable::BalancePoints, row);
                        y = &r.Read();
                    }
                    while (Contains(*y, "+")) {
                        row = 0;
                        ++r_.balancePointsRead;
                        if (LogRecord* point = BalanceRecord(r_.balancePointsRead)) {
                            Parse_Balance_Station_String(*y, *point);
                        } else {
                            TooMany("balance points", MaxLogBalancePoints, r.LineNumber(), tooManyPoints_);
                        }
                        y = &r.Read();
                    }
                    x = y;
                }
            }
        } catch (const EndOfLog&) {
        }
    }

    void Pass3()
    {
        LogLineReader r(lines_);
        r_.lastLineNumber = 0;
        try {
            for (;;) {
                const std::string& title = r.Read();
                if (Trim(title).empty() || !Contains(title, "G R A N D")) continue;
                Copy(title);
                ++r_.reportLines;
                const std::string* h = &r.Read();
                while (!Contains(*h, "B A L A N C E")) {
                    const int skipped = r_.unitSystem == 1 ? 5 : 4;
                    const std::string* row = h;
                    for (int i = 0; i < skipped; ++i) row = &r.Read();
                    while (!Contains(*row, "S U M M A R Y")) {
                        Copy(*row);
                        TokenizeLogRow(*row, &t_.LogSummary, LogRowTable::Summary, r_.lastLineNumber);
                        row = &r.Read();
                        ++r_.lastLineNumber;
                        ++r_.reportLines;
                    }
                    h = row;
                }
            }
        } catch (const EndOfLog&) {
        }
    }

private:
    // The four lines of an "ADJUSTMENT" block; returns the third line after
    // the heading, which goes through the remaining tests.
    const std::string& Adjustment(LogLineReader& r)
    {
        const int index = ++t_.AdjustmentCount;
        LogRecord* adjustment = index <= MaxLogAdjustments ? &t_.LogAdjustments.Write(index) : nullptr;
        const std::string& station = r.Read();
        if (adjustment) adjustment->Name = AfterFirstEquals(station);
        r.Read();
        const std::string& quantity = r.Read();
        if (adjustment) {
            const std::string upper = ToUpper(quantity);
            if (Contains(upper, "EXC")) {
                adjustment->SetValue(0, 0, AfterFirstEquals(quantity));
                adjustment->Note = "Exc";
            } else if (Contains(upper, "FILL")) {
                adjustment->SetValue(1, 0, AfterFirstEquals(quantity));
                adjustment->Note = "Fill";
            }
        }
        return quantity;
    }

    // The lines after a dashes line: entry lines (with "+") and the row
    // lines under them, up to a dashes line that follows an entry line.
    void TableSection(LogLineReader& r)
    {
        const std::string* line = &r.Read();
        bool entry = Contains(*line, "+");
        if (!entry && IsDashesLine(*line)) return;
        for (;;) {
            if (entry) {
                r_.lastLineNumber = 0;
                ++r_.entriesRead;
                if (LogRecord* record = EntryRecord(r_.entriesRead)) {
                    try {
                        Parse_Station_String(*line, *record);
                    } catch (const std::exception& e) {
                        r_.messages.push_back("Program Error: " + std::string(e.what()) + ParseErrorPlace);
                    }
                } else {
                    TooMany("entries", MaxLogEntries, r.LineNumber(), tooManyEntries_);
                }
                Copy(*line);
                line = &r.ReadNonEmpty();
                ++r_.reportLines;
                entry = Contains(*line, "+");
                if (!entry && IsDashesLine(*line)) return;
            } else {
                ++r_.lastLineNumber;
                TokenizeLogRow(*line, EntryRecord(r_.entriesRead), LogRowTable::Entries, r_.lastLineNumber);
                Copy(*line);
                line = &r.ReadNonEmpty();
                entry = Contains(*line, "+");
            }
        }
    }

    LogRecord* EntryRecord(int32_t index)
    {
        return t_.LogEntries.InRange(index) ? &t_.LogEntries.Write(index) : nullptr;
    }
    LogRecord* BalanceRecord(int32_t index)
    {
        return t_.LogBalancePoints.InRange(index) ? &t_.LogBalancePoints.Write(index) : nullptr;
    }

    // A log larger than the tables: said once, naming the file and the line.
    void TooMany(const char* what, int limit, std::size_t lineNumber, bool& said)
    {
        if (said) return;
        said = true;
        r_.messages.push_back("The log file " + fileName_ + " holds more " + what + " than the " +
                       std::to_string(limit) + " the program keeps; from line " + std::to_string(lineNumber) +
                       " on they are left out of the report.");
    }

    void Copy(const std::string& line)
    {
        r_.tableLines += line;
        r_.tableLines += "\r\n";
    }

    LogReadResult& r_;
    SheetLog& t_;
    const std::vector<std::string>& lines_;
    const std::string& fileName_;
    bool tooManyEntries_ = false, tooManyPoints_ = false;
};

// A decimal number: (negative ? -1 : 1) * digits * 10^exponent.
struct ExactDecimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    long exponent = 0;
};

std::optional<ExactDecimal> ReadExactDecimal(std::string_view text)
{
    if (!ReadsAsNumber(text)) return std::nullopt;
    std::size_t i = 0;
    auto blank = [&](std::size_t k) { return k < text.size() && (text[k] == ' ' || text[k] == '\t'); };
    while (blank(i)) ++i;
    ExactDecimal d;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) d.negative = text[i++] == '-';
    std::string digits;
    long fraction = 0;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') afterPoint = true;
        else if (c >= '0' && c <= '9') {
            digits += c;
            if (afterPoint) ++fraction;
        } else break;
    }
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            exponent = exponent * 10 + (text[i] - '0');
            if (exponent > 100000) return std::nullopt;  // beyond any quantity a log holds
        }
        if (negativeExponent) exponent = -exponent;
    }
    const auto first = digits.find_first_not_of('0');
    d.digits = first == std::string::npos ? std::string() : digits.substr(first);
    d.exponent = exponent - fraction;
    if (d.digits.empty()) d.negative = false;
    return d;
}

// Compares the magnitudes of two digit strings of equal scale.
int CompareMagnitude(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string AddMagnitudes(const std::string& a, const std::string& b)
{
    std::string sum;
    int carry = 0;
    for (std::size_t k = 0; k < std::max(a.size(), b.size()) || carry; ++k) {
        int v = carry;
        if (k < a.size()) v += a[a.size() - 1 - k] - '0';
        if (k < b.size()) v += b[b.size() - 1 - k] - '0';
        sum += static_cast<char>('0' + v % 10);
        carry = v / 10;
    }
    std::reverse(sum.begin(), sum.end());
    return sum;
}

// a - b for magnitudes with a >= b.
std::string SubtractMagnitudes(const std::string& a, const std::string& b)
{
    std::string diff;
    int borrow = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        int v = (a[a.size() - 1 - k] - '0') - borrow - (k < b.size() ? b[b.size() - 1 - k] - '0' : 0);
        borrow = v < 0;
        if (v < 0) v += 10;
        diff += static_cast<char>('0' + v);
    }
    while (diff.size() > 1 && diff.back() == '0') diff.pop_back();
    std::reverse(diff.begin(), diff.end());
    return diff;
}

std::string GeneralTextOf(const ExactDecimal& d)
{
    std::string digits = d.digits;
    long exponent = d.exponent;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return "0";
    digits = digits.substr(first);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    // Position of the decimal point counted from the first digit.
    const long integerDigits = static_cast<long>(digits.size()) + exponent;
    // Beyond the plain range of the general text (15 digits, 1E-04 .. 1E+15).
    if (digits.size() > 15 || integerDigits > 15 || integerDigits < -3) {
        const std::string text = (d.negative ? "-" : "") + digits + "e" + std::to_string(exponent);
        return GeneralText(ParseNumber(text).value_or(0));
    }
    std::string text;
    if (exponent >= 0) text = digits + std::string(exponent, '0');
    else if (integerDigits > 0) text = digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
    else text = "0." + std::string(-integerDigits, '0') + digits;
    return (d.negative ? "-" : "") + text;
}

} // namespace

bool HasLogMarkerLine(const std::string& path, std::string& error)
{
    if (const std::string problem = InputFileProblem(path, MaxLogBytes); !problem.empty()) {
        error = problem;
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "File not found: " + path;
        return false;
    }
    // Line by line, so that the answer comes as soon as the marker is met.
    LineReader lines(in);
    std::string line;
    while (lines.Next(line))
        if (line == LogMarkerLine) return true;
    return false;
}

LogReadResult ReadGeopakLog(const std::vector<std::string>& lines, const std::string& fileName)
{
    LogReadResult result;
    LogReader reader(result, lines, fileName);
    reader.Pass1();
    reader.Pass2();
    reader.Pass3();
    SheetLog& t = result.log;
    t.EntryCount = std::min(result.entriesRead, MaxLogEntries);
    t.BalanceCount = std::min(result.balancePointsRead, MaxLogBalancePoints);
    t.UnitSystem = result.unitSystem;
    if (!ConvertToIncrementalValues(t)) result.messages.push_back(IncrementalValueError);
    return result;
}

LogReadResult ReadGeopakLog(const std::string& path)
{
    const auto lines = ReadTextLines(path);
    if (!lines) {
        LogReadResult result;
        result.error = path + ": the log could not be read";
        return result;
    }
    return ReadGeopakLog(*lines, path);
}

void Parse_Station_String(const std::string& line, LogRecord& entry)
{
    const std::string s = Trim(line);
    const auto blank = s.find(' ');
    if (blank == std::string::npos) throw RuntimeFault("Invalid procedure call or argument");
    entry.Name = s.substr(0, blank);
    // From the last character of the first token on, as the log's own parser did.
    entry.SetValue(0, 0, s.substr(blank - 1));
    const std::string& name = entry.Name;
    if (name == "XS-NOPROP" || name == "XS-NOES" || name == "XS-ONESIDE" || name == "SKIP")
        entry.Note = s;
    else if (name == "at")
        entry.Note = "XS-NOELEM No cross-section elements found " + s;
    else if (name == "for" || name == "XS-W-DANGPROP")
        entry.Note = "XS-W-DANGPROP Proposed finish grade elements does not connect " + s;
}

void Parse_Balance_Station_String(const std::string& line, LogRecord& point)
{
    std::string name = AfterFirstEquals(Trim(line));
    const auto comma = name.find(',');
    if (comma != std::string::npos) name.resize(comma);
    point.Name = name;
}

void TokenizeLogRow(const std::string& row, LogRecord* record, LogRowTable table, int32_t& line)
{
    std::string s = Trim(row);
    if (!s.empty() && s.find(' ') == std::string::npos) {
        if (table != LogRowTable::Summary) ++line;
        if (record) record->SetValue(line, 0, s);
        return;
    }
    if (!record || line < 0 || line >= LogValueLines) return;
    if (s.empty()) {
        record->SetValue(line, 1, "");
        return;
    }
    const int most = table == LogRowTable::Entries ? 9 : 7;
    std::size_t pos = 0;
    for (int slot = 1; slot <= most && pos < s.size(); ++slot) {
        const auto end = s.find(' ', pos);
        record->SetValue(line, slot, s.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        if (end == std::string::npos) break;
        pos = s.find_first_not_of(' ', end);
        if (pos == std::string::npos) break;
    }
}

std::optional<std::string> DecimalDifference(std::string_view a, std::string_view b)
{
    auto x = ReadExactDecimal(a);
    auto y = ReadExactDecimal(b);
    if (!x || !y) return std::nullopt;
    // Bring both to the smaller exponent.
    const long exponent = std::min(x->exponent, y->exponent);
    std::string xd = x->digits.empty() ? "0" : x->digits + std::string(x->exponent - exponent, '0');
    std::string yd = y->digits.empty() ? "0" : y->digits + std::string(y->exponent - exponent, '0');
    ExactDecimal r;
    r.exponent = exponent;
    const bool yNegative = !y->negative;  // a - b = a + (-b)
    if (x->negative == yNegative) {
        r.digits = AddMagnitudes(xd, yd);
        r.negative = x->negative;
    } else if (CompareMagnitude(xd, yd) >= 0) {
        r.digits = SubtractMagnitudes(xd, yd);
        r.negative = x->negative;
    } else {
        r.digits = SubtractMagnitudes(yd, xd);
        r.negative = yNegative;
    }
    if (r.digits.find_first_not_of('0') == std::string::npos) r.negative = false;
    return GeneralTextOf(r);
}

bool ConvertToIncrementalValues(SheetLog& t)
{
    LogTable& points = t.LogBalancePoints;
    auto fail = [] { return false; };
    for (int32_t b = 1; b <= t.BalanceCount; ++b) {
        if (!points.InRange(b + 1)) break;
        for (int c = 0; c <= 3; ++c) {
            const LogRecord& next = points.at(b + 1);
            if (!Trim(next.Value(c, 6)).empty() || !ReadsAsNumber(Trim(next.Value(c, 4)))) continue;
            const std::string old = next.Value(c, 4);
            const LogRecord& previous = points.at(b);
            const std::string area = Trim(next.Value(c, 2));
            const auto first = DecimalDifference(area.empty() ? "0" : area, previous.Value(c, 2));
            if (!first) return fail();
            points.Write(b + 1).SetValue(c, 4, *first);
            const std::string volume = Trim(next.Value(c, 3));
            const auto second = DecimalDifference(volume.empty() ? "0" : volume, previous.Value(c, 3));
            if (!second) return fail();
            points.Write(b + 1).SetValue(c, 5, *second);
            points.Write(b + 1).SetValue(c, 6, old);
        }
    }
    return true;
}

} // namespace mardex
