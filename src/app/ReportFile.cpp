#include "app/ReportFile.h"

#include "app/Session.h"
#include "formats/AtomicFile.h"
#include "app/FileCommands.h"
#include "app/LogReport.h"
#include "app/ReportCommands.h"

#include <fstream>
#include <iterator>

namespace mardex {

std::optional<std::string> ReportPathOf(const Session& s, std::string& error)
{
    if (!s.report.ReportFileOverride.empty()) return s.report.ReportFileOverride;
    // A log's report is named after the log's name up to its ".LOG".
    if (s.doc.LogMode == 1) {
        if (auto path = LogReportFileName(s)) return path;
        error = "The report file of \"" + s.doc.CurrentFileName + "\" cannot be named: the log's name has no \".LOG\"";
        return std::nullopt;
    }
    const std::string name = StripFile(s.doc.CurrentFileName);
    const auto dot = name.find('.');
    if (dot == std::string::npos) {
        error = "The report file of \"" + s.doc.CurrentFileName +
                "\" cannot be named: the document's name has no \".\"";
        return std::nullopt;
    }
    return s.doc.ReportFolder + name.substr(0, dot) + ".rpt";
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
    const AtomicWriteResult written = WriteFileAtomically(path, append ? whole : text, failAfterBytes);
    if (!written.ok) {
        error = written.error;
        return false;
    }
    return true;
}

int32_t PagesForDrawnLines(int64_t drawnLines)
{
    constexpr int64_t FirstPage = 44, LaterPage = 51;
    if (drawnLines <= FirstPage) return 1;
    return static_cast<int32_t>(1 + (drawnLines - FirstPage + LaterPage - 1) / LaterPage);
}

namespace {
// Calls f(line) for every line; lines end at LF (a CR before it is dropped).
template <class F>
void ForEachLine(const std::string& text, F&& f)
{
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        std::size_t len = end - start;
        if (len > 0 && text[start + len - 1] == '\r') --len;
        f(std::string_view(text).substr(start, len));
        start = next;
    }
}
} // namespace

int64_t DrawnLines(const std::string& reportText)
{
    int64_t n = 0;
    ForEachLine(reportText, [&](std::string_view line) {
        if (line.find('#') == std::string_view::npos) ++n;
    });
    return n;
}

int64_t AllLines(const std::string& reportText)
{
    int64_t n = 0;
    ForEachLine(reportText, [&](std::string_view) { ++n; });
    return n;
}

void CountNumberOfPages(Session& s)
{
    std::ifstream in(ReportFileName(s), std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    s.report.TotalPages = PagesForDrawnLines(DrawnLines(text));
}

} // namespace mardex
