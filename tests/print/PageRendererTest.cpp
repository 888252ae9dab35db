// The page renderer on its own: what it prints comes from the heading it is
// given, and a failure goes to the message sink it is given.
#include "render/PageRenderer.h"
#include "render/RecordingSurface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace mardex::test {
namespace {

class CollectedMessages : public RenderMessages {
public:
    void Message(const std::string& text) override { said.push_back(text); }
    std::vector<std::string> said;
};

TEST(PageRenderer, PrintsTheGivenHeadingAndTellsFailuresToItsSink)
{
    TempDir dir;
    WriteFile(dir / "r.rpt", "first line\r\n# not drawn\r\nsecond line\r\n");
    PageHeading heading;
    heading.designer = "D. Signer";
    heading.projectNo = "P-7";
    heading.controlNo = "C-9";
    heading.tabCaption = "BASELINE: CL 2";
    heading.baselineText = BaselineText(true, "CL 2");
    heading.metric = true;
    heading.mode = ReportMode::Accumulated;
    heading.totalPages = 4;
    PrintState print;
    print.LocalNow = [] { return std::tm{}; };
    CollectedMessages messages;
    PageRenderer renderer(heading, print, messages);

    RecordingSurface printer;
    ASSERT_TRUE(renderer.PrintAllPages(printer, dir / "r.rpt"));
    ASSERT_EQ(printer.pages.size(), 1u);
    const auto texts = printer.TextsOf(0);
    for (const std::string expected :
         {"D. Signer", "P-7", "C-9", "Pages :  1  OF  4 ", "DESIGNER     :D. Signer", "PROJECT NO   :P-7",
          "CONTROL NO   :C-9", "For BASELINE: CL 2", "BaseLine Name: CL 2", "Sq.m.", "Cu.m.", "NET-VOL.",
          "first line", "second line"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "# not drawn"), texts.end());
    EXPECT_TRUE(messages.said.empty());

    RecordingSurface none;
    EXPECT_FALSE(renderer.PrintAllPages(none, dir / "missing.rpt"));
    EXPECT_EQ(messages.said,
              std::vector<std::string>{" System Error: File not found: " + (dir / "missing.rpt") +
                                       " occured in mnuRptPrint_click"});
}

} // namespace
} // namespace mardex::test
