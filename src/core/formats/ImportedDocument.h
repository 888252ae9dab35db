#pragma once
// What a foreign file (LandXML, CSV) brings into the program: plain values,
// every cell already in the text the sheet store keeps, or the reason the
// file was refused.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace mardex {

// One row of the six cell texts: station, code, cut, added cut, fill, added fill.
using ImportedRow = std::array<std::string, 6>;

struct ImportedSheet {
    std::string tabName;
    std::vector<ImportedRow> rows;
};

struct ImportedDocument {
    int unitSystem = 0;        // 0 English, 1 metric
    std::string projectName;   // the project number box
    std::vector<ImportedSheet> sheets;
};

// Why a file was refused; line 0 when no line can be named.
struct ImportFault {
    std::string file;
    long line = 0;
    std::string what;

    std::string Message() const
    {
        return line > 0 ? file + ", line " + std::to_string(line) + ": " + what : file + ": " + what;
    }
};

struct ImportResult {
    std::optional<ImportedDocument> document;
    ImportFault fault;  // meaningful when there is no document

    explicit operator bool() const { return document.has_value(); }
};

} // namespace mardex
