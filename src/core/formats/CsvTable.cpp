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

CsvTable ParseCsv(std::string_view text, char separator)
{
    CsvTable table;
    long line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto atLineEnd = [&](std::size_t k) { return k >= n || text[k] == '\n' || text[k] == '\r'; };
    while (i < n) {
        CsvRecord record;
        record.line = line;
        bool blank = true;
        for (;;) {
            std::string field;
            if (i < n && text[i] == '"') {
                blank = false;
                const long opened = line;
                ++i;
                for (;;) {
                    if (i >= n) {
                        table.error = "a quoted field is not closed";
                        table.errorLine = opened;
                        return table;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    // A line break inside quotes: LF, CR LF or a CR alone, as outside.
                    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= n || text[i + 1] != '\n'))) ++line;
                    field += text[i++];
                }
                if (!atLineEnd(i) && text[i] != separator) {
                    table.error = "text after the closing quote of a field";
                    table.errorLine = line;
                    return table;
                }
            } else {
                while (!atLineEnd(i) && text[i] != separator) {
                    if (text[i] == '"') {
                        table.error = "a quote inside a field that does not begin with one";
                        table.errorLine = line;
                        return table;
                    }
                    field += text[i++];
                }
                if (!field.empty()) blank = false;
            }
            record.fields.push_back(std::move(field));
            if (i < n && text[i] == separator) {
                blank = false;
                ++i;
                continue;
            }
            break;
        }
        // The line end: CR LF, LF or a CR alone.
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
        ++line;
        if (!blank) table.records.push_back(std::move(record));
    }
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
