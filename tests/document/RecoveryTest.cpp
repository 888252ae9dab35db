// Recovery copies: written without touching the document in memory, offered
// only when newer than their document, restored under the document's name
// without writing the document itself.
#include "DocumentFixture.h"

#include "app/PresetFilePrompter.h"
#include "app/Recovery.h"
#include "app/DocumentWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

TEST(Recovery, CopyHoldsTheTypingLeavesTheSessionAloneAndRestoresUnderTheDocumentsName)
{
    Program p;
    const std::string document = p.Path("road.mdx");
    const std::string saved = Document(Block(1, "BL1", "1.00", Row("00+00.000", 1) + "-1\r\n"));
    WriteFile(document, saved);
    p.Open(document);
    p.s.store[0].SetCell(ColStation, 1, "01+00.000");  // typed, with empty area cells
    p.s.store[0].SetCell(ColStation, 2, "-1");
    p.s.doc.DataChanged = true;

    const std::string folder = p.Path("state");
    std::string error;
    ASSERT_TRUE(WriteRecoveryCopy(p.s, folder, error)) << error;
    EXPECT_EQ(p.s.store[0].Cell(ColCut, 1), "");  // the grid still shows what was typed
    const std::string copy = RecoveryCopyPath(folder, document);
    EXPECT_EQ(fs::path(copy).filename().string().substr(0, 5), "road-");
    EXPECT_NE(ReadFile(copy).find("01+00.000"), std::string::npos);
    EXPECT_EQ(ReadFile(document), saved);

    // Newer than its document, but its window (this process) still at work: not offered.
    fs::last_write_time(document, fs::last_write_time(copy) - std::chrono::minutes(5));
    EXPECT_TRUE(RecoveryCopiesToOffer(folder).empty());
    // That window gone: offered. The document saved since: not.
    WriteFile(copy + ".source", document + "\n999999999\n");
    auto offered = RecoveryCopiesToOffer(folder);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].copyPath, copy);
    EXPECT_EQ(offered[0].documentPath, document);
    fs::last_write_time(document, fs::last_write_time(copy) + std::chrono::minutes(5));
    EXPECT_TRUE(RecoveryCopiesToOffer(folder).empty());

    // Restored in a new program: the typing is back, under the document's
    // name and marked changed; the document on disk is untouched.
    Program next;
    PresetFilePrompter files(next.ask);
    Session restored(files);
    restored.ProgramFolder = next.dir.path().string();
    Form_Load(restored);
    ASSERT_TRUE(RestoreRecoveryCopy(restored, files, offered[0]));
    EXPECT_EQ(restored.store[0].Cell(ColStation, 1), "01+00.000");
    EXPECT_EQ(restored.doc.CurrentFileName, document);
    EXPECT_TRUE(restored.doc.DataChanged);
    EXPECT_EQ(restored.form.Caption, "MARDEX :" + document);
    EXPECT_EQ(restored.form.StatusText, document) << "never the hidden recovery copy's path";
    EXPECT_EQ(ReadFile(document), saved);

    RemoveRecoveryCopy(copy);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(fs::exists(copy + ".source"));
}

} // namespace
} // namespace mardex::test
