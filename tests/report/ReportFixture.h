#pragma once
// A session holding one named document whose sheets the test fills in
// memory, and readers for the report it writes.
#include "app/Session.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <sstream>
#include <string>
#include <vector>

namespace mardex::test {

using Row = std::vector<std::string>;  // station, code, cut, added cut, fill, added fill

class ReportFixture {
public:
    ReportFixture()
    {
        s.doc.CurrentFileName = dir / "road1.mdx";
        s.doc.ReportFolder = dir.path().string() + "/";
        s.doc.DescriptionFields = {"DESIGN UNIT 4", "STP-12(3)", "C-101"};
        // The report command's refusals and faults; nothing else.
        ask.expectedMessages = {" occured in CreateTempRptFile", "cannot write ",
                                "There is no active data to create sheets with", "cannot be named"};
    }

    void SetSheet(int index, const std::vector<Row>& rows, const std::string& factor = "1.00",
                  const std::string& name = "BL1")
    {
        Sheet& sheet = s.store[index];
        sheet.TabName = name;
        sheet.BalanceFactor = factor;
        int r = 0;
        for (const Row& row : rows) {
            for (int c = 0; c < static_cast<int>(row.size()); ++c) sheet.SetCell(c, r, row[c]);
            ++r;
        }
        sheet.SetCell(0, r, "-1");
        if (index + 1 > s.doc.SheetCount) s.doc.SheetCount = static_cast<int16_t>(index + 1);
    }

    std::string ReportPath() const { return dir / "road1.rpt"; }
    std::string Report() const { return ReadFile(ReportPath()); }

    // The report's lines without their CR LF.
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        std::string text = Report(), line;
        std::istringstream in(text);
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // The blank-separated fields of the station rows (lines beginning with a digit or "-").
    std::vector<std::vector<std::string>> StationRows() const
    {
        std::vector<std::vector<std::string>> rows;
        for (const std::string& line : Lines()) {
            if (line.empty() || !(std::isdigit(static_cast<unsigned char>(line[0])) || line[0] == '-')) continue;
            std::istringstream in(line);
            std::vector<std::string> fields;
            for (std::string f; in >> f;) fields.push_back(f);
            rows.push_back(fields);
        }
        return rows;
    }

    std::vector<std::string> LinesStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& line : Lines())
            if (line.rfind(prefix, 0) == 0) found.push_back(line);
        return found;
    }

    TempDir dir;
    ScriptedPrompter ask;
    Session s{ask};
};

} // namespace mardex::test
