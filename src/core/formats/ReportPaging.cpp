#include "formats/ReportPaging.h"

#include "formats/AtomicFile.h"
#include "text/PathText.h"
#include "text/TextLines.h"

#include <fstream>
#include <iterator>

namespace mardex {

int32_t PagesForDrawnLines(int64_t drawnLines)
{
    if (drawnLines <= FirstPageLines) return 1;
    return static_cast<int32_t>(1 + (drawnLines - FirstPageLines + LaterPageLines - 1) / LaterPageLines);
}

int64_t DrawnLines(std::string_view reportText)
{
    int64_t n = 0;
    ForEachLine(reportText, [&](std::string_view line) {
        if (line.find('#') == std::string_view::npos) ++n;
    });
    return n;
}

int64_t AllLines(std::string_view reportText)
{
    int64_t n = 0;
    ForEachLine(reportText, [&](std::string_view) { ++n; });
    return n;
}

std::optional<std::string> SheetReportPath(const std::string& folder, const std::string& documentPath,
                                           std::string& error)
{
    const std::string name = StripFile(documentPath);
    const auto dot = name.find('.');
    if (dot == std::string::npos) {
        error = "The report file of \"" + documentPath + "\" cannot be named: the document's name has no \".\"";
        return std::nullopt;
    }
    return folder + name.substr(0, dot) + ".rpt";
}

bool WriteReportText(const std::string& path, const std::string& text, bool append, std::string& error,
                     long long failAfterBytes)
{
    std::string whole;
    if (append && ReasonNotWritable(path).empty()) {
        // Appending builds the whole new file too: an interrupted run keeps the old one.
        std::ifstream in(path, std::ios::binary);
        whole.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        whole += text;
    }
    const AtomicWriteResult written = WriteFileAtomically(path, append ? whole : text, failAfterBytes, FlushToDisk::No);
    if (!written.ok) {
        error = written.error;
        return false;
    }
    return true;
}

} // namespace mardex
