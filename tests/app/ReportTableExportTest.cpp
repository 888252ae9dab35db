// File > Export > Report table as CSV on every sample document: each line's
// figures are those of the matching line of the expected Total report.
#include "app/ReportTableExport.h"
#include "app/FileCommands.h"
#include "app/Session.h"
#include "app/TabStrip.h"
#include "compute/ReportTable.h"
#include "formats/CsvTable.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

namespace mardex {
namespace {

namespace fs = std::filesystem;

// The station rows and balance points of a report, split at blanks.
std::vector<std::vector<std::string>> ReportRows(const std::string& report)
{
    static const std::regex station(R"(-?[0-9]+\+[0-9]{2}\.[0-9]{3})");
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string w; words >> w;) fields.push_back(w);
        if (!fields.empty() && std::regex_match(fields[0], station)) rows.push_back(fields);
    }
    return rows;
}

// The expected Total reports of the samples: (document, sheet, report or error file).
std::vector<std::tuple<fs::path, int, fs::path>> TotalReports()
{
    std::vector<std::tuple<fs::path, int, fs::path>> found;
    static const std::regex name(R"((.*?)\.(?:s([0-9]+)\.)?total\.(rpt|error))");
    for (const auto& entry : fs::directory_iterator(test::TestData("cases"))) {
        std::smatch m;
        const std::string file = entry.path().filename().string();
        if (!std::regex_match(file, m, name)) continue;
        found.emplace_back(entry.path().parent_path() / (m[1].str() + ".mdx"), m[2].matched ? std::stoi(m[2]) : 1,
                           entry.path());
    }
    return found;
}

TEST(ReportTableExport, EveryLineCarriesTheTotalReportsFigures)
{
    const auto reports = TotalReports();
    ASSERT_GT(reports.size(), 40u);
    for (const auto& [document, sheet, expected] : reports) {
        SCOPED_TRACE(expected.filename().string());
        test::TempDir dir;
        test::ScriptedPrompter ask{test::Picks(document.string())};
        // Reading messages of the odd samples, the equations, and the faults.
        ask.expectedMessages = {"fewer than 6 fields", "Equation", "equation", "occured in CreateTempRptFile"};
        Session s(ask);
        s.doc.ReportFolder = dir.path().string() + "/";
        mnuFileOpen_Click(s);
        s.form.SelectedTab = sheet - 1;
        TabStrip1_MouseUp(s, LeftButton, 0, 0, 0);

        const std::string out = dir / "table.csv";
        std::string error;
        const bool written = WriteReportTableCsv(s, out, error);
        if (expected.extension() == ".error") {
            // A computation that faults writes no table.
            EXPECT_FALSE(written);
            EXPECT_FALSE(fs::exists(out));
            continue;
        }
        ASSERT_TRUE(written) << error;
        const CsvTable table = ParseCsv(test::ReadFile(out), ',');
        ASSERT_TRUE(table.error.empty()) << table.error;
        const auto rows = ReportRows(test::ReadFile(expected.string()));
        ASSERT_EQ(table.records.size(), rows.size() + 1);
        EXPECT_EQ(CsvLine(table.records[0].fields), std::string(ReportTableHeader) + "\r\n");
        for (std::size_t k = 0; k < rows.size(); ++k) {
            std::vector<std::string> figures = table.records[k + 1].fields;
            ASSERT_EQ(figures.size(), 11u);
            const bool balance = rows[k].size() == 9;
            EXPECT_EQ(figures[0], balance ? "balance" : "station") << rows[k][0];
            // The report prints a balance point's adjusted fill in the factor's place.
            if (balance) {
                EXPECT_EQ(figures[8], "") << rows[k][0];
                figures.erase(figures.begin() + 8);
            }
            figures.erase(figures.begin());
            EXPECT_EQ(figures, rows[k]);
        }
    }
}

} // namespace
} // namespace mardex
