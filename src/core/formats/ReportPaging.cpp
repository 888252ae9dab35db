#include "formats/ReportPaging.h"

#include "formats/AtomicFile.h"
#include "text/PathText.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace mardex {

int32_t PagesForDrawnLines(int64_t drawnLines)
{
    if (drawnLines <= FirstPageLines) return 1;
    return static_cast<int32_t>(1 + (drawnLines - FirstPageLines + LaterPageLines - 1) / LaterPageLines);
}

namespace {

// Whole reports run to millions of characters with few "#" lines: they are
// scanned with memchr over the whole text, not line by line. A line ends at
// CR LF, a lone CR or a lone LF, and a last line without an end counts.
std::size_t NextOf(std::string_view text, std::size_t from, char c)
{
    if (from >= text.size()) return text.size();
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : text.size();
}

// A position past the end of the line holding `at` (the LF of a CR LF
// holds no "#").
std::size_t PastLineEnd(std::string_view text, std::size_t at)
{
    return std::min(NextOf(text, at, '\n'), NextOf(text, at, '\r')) + 1;
}

} // namespace

int64_t AllLines(std::string_view reportText)
{
    const std::string_view t = reportText;
    int64_t n = 0;
    for (std::size_t i = NextOf(t, 0, '\n'); i < t.size(); i = NextOf(t, i + 1, '\n')) ++n;
    for (std::size_t i = NextOf(t, 0, '\r'); i < t.size(); i = NextOf(t, i + 1, '\r'))
        if (i + 1 == t.size() || t[i + 1] != '\n') ++n;
    if (!t.empty() && t.back() != '\n' && t.back() != '\r') ++n;
    return n;
}

int64_t DrawnLines(std::string_view reportText)
{
    int64_t hashLines = 0;
    for (std::size_t i = NextOf(reportText, 0, '#'); i < reportText.size();
         i = NextOf(reportText, PastLineEnd(reportText, i), '#'))
        ++hashLines;
    return AllLines(reportText) - hashLines;
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
    std::string report = folder + name.substr(0, dot) + ".rpt";
    // A document named like its report (road.rpt), or reached through a link
    // from the report folder, would be overwritten by its own report.
    if (NamesSameFile(report, documentPath)) {
        error = "The report file of \"" + documentPath + "\" would be the document itself: " + report +
                " is not overwritten";
        return std::nullopt;
    }
    return report;
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
