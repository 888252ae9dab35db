#include "formats/ReportPaging.h"

#include "text/PathText.h"
#include "text/TextLines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

bool WriteReportText(const std::string& path, const std::string& text, bool append, std::string& error)
{
    std::FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!f) {
        error = "Cannot write the report file \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const int saved = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        error = "Cannot write the report file \"" + path + "\": " + std::strerror(written ? errno : saved);
        return false;
    }
    return true;
}

} // namespace mardex
