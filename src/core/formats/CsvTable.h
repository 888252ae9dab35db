#pragma once
// Comma-separated text as RFC 4180 has it: fields in double quotes may hold
// the separator, line breaks and doubled quotes. Comma, semicolon or tab
// separate the fields.
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

struct CsvRecord {
    std::vector<std::string> fields;
    long line = 0;  // the line the record starts on (1-based)
};

struct CsvTable {
    std::vector<CsvRecord> records;  // blank lines are left out
    std::string error;               // empty when the text was read whole
    long errorLine = 0;
};

// The records one at a time, so that a reader can stop early and hold only
// what it keeps.
class CsvReader {
public:
    CsvReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    // The next record that is not a blank line; false at the end of the text
    // or at a malformed record (then error() says why, at errorLine()).
    bool Next(CsvRecord& record);
    const std::string& error() const { return error_; }
    long errorLine() const { return errorLine_; }

private:
    bool Fail(const char* why, long line);
    bool AtLineEnd(std::size_t k) const { return k >= text_.size() || text_[k] == '\n' || text_[k] == '\r'; }

    std::string_view text_;
    char separator_;
    std::size_t i_ = 0;
    long line_ = 1;
    std::string error_;
    long errorLine_ = 0;
};

// The separator of a table: the one of tab, semicolon and comma found most
// often outside quotes in its first line (comma when none is).
char DetectSeparator(std::string_view text);

CsvTable ParseCsv(std::string_view text, char separator);

// One field, quoted when it holds the separator, a quote, a line break or
// blanks at either end.
std::string CsvField(std::string_view text, char separator = ',');
// Fields joined, ended by CR LF.
std::string CsvLine(const std::vector<std::string>& fields, char separator = ',');

} // namespace mardex
