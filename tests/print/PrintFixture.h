#pragma once
// A session whose current report file is a copy of a sample report.
#include "app/Session.h"
#include "app/PageRendering.h"
#include "render/RecordingSurface.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <fstream>
#include <string>
#include <vector>

namespace mardex::test {

// The lines of a report file without their line ends.
inline std::vector<std::string> LinesOf(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string> DrawnLinesOf(const std::string& path)
{
    std::vector<std::string> out;
    for (auto& l : LinesOf(path))
        if (l.find('#') == std::string::npos) out.push_back(l);
    return out;
}

struct PrintFixture {
    ScriptedPrompter ask;
    Session s{ask};
    TempDir dir;

    PrintFixture()
    {
        s.doc.ReportFolder = dir.path().string() + "/";
        s.doc.CurrentFileName = "/elsewhere/road1.mdx";
        s.doc.DescriptionFields = {"DESIGN UNIT 4", "STP-12(3)", "C-101"};
        s.store[0].TabName = "BL1";
        s.print.LocalNow = [] {
            std::tm t{};
            t.tm_year = 2026 - 1900; t.tm_mon = 11; t.tm_mday = 7;
            t.tm_hour = 15; t.tm_min = 4; t.tm_sec = 9;
            return t;
        };
    }

    std::string ReportPath() const { return dir / "road1.rpt"; }

    // Uses a sample report as the current report file, with its page count.
    void UseReport(const std::string& caseFile)
    {
        WriteFile(ReportPath(), ReadFile(TestData("cases/" + caseFile)));
        s.report.TotalPages = static_cast<int32_t>(CountDrawnPages(ReportPath()));
    }

    void UseLines(const std::vector<std::string>& lines)
    {
        std::string text;
        for (auto& l : lines) text += l + "\r\n";
        WriteFile(ReportPath(), text);
        s.report.TotalPages = static_cast<int32_t>(CountDrawnPages(ReportPath()));
    }

    void Prepare(RecordingSurface& printer) { PreparePrinter(s, printer); }
    int W() const { return s.print.PageWidthCells; }
    int H() const { return s.print.PageHeightCells; }
};

// A report of n numbered station rows between the six metadata lines and the end line.
inline std::vector<std::string> NumberedReport(int rows)
{
    std::vector<std::string> lines = {"#Designer= D", "#Project No.= P", "#Control No.= C",
                                      "#TabName= T", "#System= 0", "#Embankment= 0"};
    for (int i = 0; i < rows; ++i) lines.push_back("LINE" + std::to_string(i + 1) + " OF THE REPORT");
    lines.push_back(std::string(65, '#'));
    return lines;
}

} // namespace mardex::test
