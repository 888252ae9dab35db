#include "formats/GeopakLogReader.h"

#include <gtest/gtest.h>

using namespace mardex;

namespace {

// The reader alone: tables, what the log says about the document, and the
// messages a window would show, in the order they were met.
TEST(GeopakLogReader, GivesTablesAndMessagesWithoutAWindow)
{
    const std::vector<std::string> lines = {
        " 1     3     3 Earthwork",
        "   EARTHWORKS FOR BASELINE = CL1",
        "   Station       (sq. meters)   meters)    meters)                    meters)   meters)",
        " ----------------------------------------------------------",
        "   10+00.00",  // a station line without its baseline cannot be split
        "        Excavation       42.22       0.00       0.00       1.00",
        "   10+50.00      CL1",
        "        Excavation        2.00      40.94      40.94       1.00",
        "   TOTALS  10+00.00 TO 10+50.00",
        " ----------------------------------------------------------",
        "                      B A L A N C E   P O I N T S",
        "      Station                 Excavation            Fill",
        "   BALANCE POINT = 10+20.00, 35",
        "   ---",
        "      Excavation       n/a      42.75      42.75",  // not a number: the conversion stops
        "   BALANCE POINT = 10+40.00, 35",
        "   ---",
        "      Excavation       50.00    52.75      42.75",
        "   BALANCE POINT COMPUTATIONS COMPLETE",
    };
    const LogReadResult read = ReadGeopakLog(lines, "/logs/road.log");
    EXPECT_TRUE(read.error.empty());
    EXPECT_EQ(read.baselineName.value_or("none"), " CL1");
    EXPECT_EQ(read.unitSystem, 1);
    EXPECT_EQ(read.firstUnitSystem, 0);
    EXPECT_FALSE(read.accumulated);
    EXPECT_EQ(read.log.EntryCount, 3);
    EXPECT_EQ(read.log.LogEntries.at(2).Name, "10+50.00");
    EXPECT_EQ(read.log.BalanceCount, 2);
    const std::vector<std::string> expected = {
        "Program Error: Invalid procedure call or argument occured in Parse_Station_String",
        IncrementalValueError,
    };
    EXPECT_EQ(read.messages, expected);

    const LogReadResult missing = ReadGeopakLog("/no/such/folder/road.log");
    EXPECT_NE(missing.error.find("/no/such/folder/road.log"), std::string::npos) << missing.error;
}

} // namespace
