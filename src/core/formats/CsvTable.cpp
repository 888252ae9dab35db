#include "formats/CsvTable.h"

namespace mardex {

char DetectSeparator(std::string_view text)
{
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r')) break;
        else if (!quoted && c == ',') ++comma;
        else if (!quoted && c == ';') ++semicolon;
        else if (!quoted && c == '\t') ++tab;
    }
    if (tab > comma && tab >= semicolon) return '\t';
    if (semicolon > comma) return ';';
    return ',';
}

bool CsvReader::Fail(const char* why, long line)
{
    error_ = why;
    errorLine_ = line;
    i_ = text_.size();
    return false;
}

bool CsvReader::Next(CsvRecord& record)
{
    const std::size_t n = text_.size();
    while (i_ < n && error_.empty()) {
        record.fields.clear();
        record.line = line_;
        bool blank = true;
        for (;;) {
            std::string field;
            if (i_ < n && text_[i_] == '"') {
                blank = false;
                const long opened = line_;
                ++i_;
                for (;;) {
                    if (i_ >= n) return Fail("a quoted field is not closed", opened);
                    if (text_[i_] == '"') {
                        if (i_ + 1 < n && text_[i_ + 1] == '"') {
                            field += '"';
                            i_ += 2;
                            continue;
                        }
                        ++i_;
                        break;
                    }
                    // A line break inside quotes: LF, CR LF or a CR alone, as outside.
                    if (text_[i_] == '\n' || (text_[i_] == '\r' && (i_ + 1 >= n || text_[i_ + 1] != '\n'))) ++line_;
                    field += text_[i_++];
                }
                if (!AtLineEnd(i_) && text_[i_] != separator_) return Fail("text after the closing quote of a field", line_);
            } else {
                while (!AtLineEnd(i_) && text_[i_] != separator_) {
                    if (text_[i_] == '"') return Fail("a quote inside a field that does not begin with one", line_);
                    field += text_[i_++];
                }
                if (!field.empty()) blank = false;
            }
            record.fields.push_back(std::move(field));
            if (i_ < n && text_[i_] == separator_) {
                blank = false;
                ++i_;
                continue;
            }
            break;
        }
        // The line end: CR LF, LF or a CR alone.
        if (i_ < n && text_[i_] == '\r') ++i_;
        if (i_ < n && text_[i_] == '\n') ++i_;
        ++line_;
        if (!blank) return true;
    }
    return false;
}

CsvTable ParseCsv(std::string_view text, char separator)
{
    CsvTable table;
    CsvReader reader(text, separator);
    CsvRecord record;
    while (reader.Next(record)) table.records.push_back(std::move(record));
    table.error = reader.error();
    table.errorLine = reader.errorLine();
    return table;
}

std::string CsvField(std::string_view text, char separator)
{
    const bool quote = text.find_first_of(std::string{'"', '\r', '\n', separator}) != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields, char separator)
{
    std::string out;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) out += separator;
        out += CsvField(fields[k], separator);
    }
    return out + "\r\n";
}

} // namespace mardex
