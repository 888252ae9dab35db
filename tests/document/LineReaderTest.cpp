// Line ends: CR LF, lone CR, lone LF, and a CR LF split between two reads.
#include "text/LineReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace mardex {
namespace {

std::vector<std::string> AllLines(const std::string& text)
{
    std::istringstream in(text);
    LineReader reader(in);
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line)) {
        lines.push_back(line);
        EXPECT_EQ(reader.Number(), static_cast<long long>(lines.size()));
    }
    return lines;
}

TEST(LineReader, EveryLineEndAndALastLineWithoutOne)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(AllLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(AllLines("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(AllLines("a\r\r\n"), (V{"a", ""}));
    EXPECT_EQ(AllLines("\n\n"), (V{"", ""}));
    EXPECT_EQ(AllLines("x\r"), (V{"x"}));
    EXPECT_EQ(AllLines(""), V{});
    EXPECT_EQ(AllLines(std::string("n\0l\r\n", 5)), (V{std::string("n\0l", 3)}));
}

TEST(LineReader, CrLfAcrossTheReadBufferIsOneLineEnd)
{
    for (std::size_t before : {65534u, 65535u, 65536u, 131071u}) {
        const std::string first(before, 'x');
        const auto lines = AllLines(first + "\r\nsecond\r\n");
        ASSERT_EQ(lines.size(), 2u) << before;
        EXPECT_EQ(lines[0], first);
        EXPECT_EQ(lines[1], "second");
    }
}

} // namespace
} // namespace mardex
