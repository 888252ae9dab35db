// libFuzzer target: any bytes opened and imported as a sheet document must
// give a document or a message, never a crash, a hang or a store out of shape.
#include "app/Prompter.h"
#include "app/Session.h"
#include "app/DocumentReader.h"
#include "app/DocumentWriter.h"
#include "app/ImportDocument.h"
#include "model/SheetStore.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

class QuietPrompter : public mardex::Prompter {
public:
    mardex::Answer Ask(const mardex::MessageBox& box) override
    {
        return box.buttons == mardex::Buttons::OK ? mardex::Answer::OK : mardex::Answer::Yes;
    }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return "renamed"; }
    std::optional<std::string> ChooseFile(const mardex::FileDialogRequest&) override { return std::nullopt; }
};

void CheckShape(const mardex::Session& s)
{
    if (s.doc.SheetCount < 0 || s.doc.SheetCount > mardex::MaxSheets) std::abort();
    if (s.doc.CurrentSheet < 0 || s.doc.CurrentSheet >= mardex::MaxSheets) std::abort();
    for (int t = 0; t < s.doc.SheetCount; ++t)
        if (s.store[t].EndRow() > mardex::MaxDataRows) std::abort();
}

// The document read from `text` (which must read) as the writer writes it.
std::string SavedAfterReading(const std::string& text)
{
    QuietPrompter quiet;
    mardex::Session s(quiet);
    s.store[0].SetCell(mardex::ColStation, 0, "-1");
    std::istringstream in(text);
    if (mardex::ReadFileVersion2002(s, in, "saved.mdx") != 0) std::abort();
    return mardex::SheetDocumentText(s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    QuietPrompter ask;
    mardex::Session s(ask);
    s.store[0].SetCell(mardex::ColStation, 0, "-1");

    const std::string firstLine = text.substr(0, text.find_first_of("\r\n"));
    if (mardex::CheckFirstLine(s, firstLine) != 0) return 0;

    std::istringstream open(text);
    if (mardex::ReadFileVersion2002(s, open, "fuzz.mdx") == 0) {
        CheckShape(s);
        const std::string written = mardex::SheetDocumentText(s);
        if (written.rfind("[VERSION 2002]\r\n", 0) != 0) std::abort();
        // What the writer writes reads back: saving what was read back writes
        // the same bytes again. (The first save may still bring a factor to
        // its shortest form, a text of the same value.)
        const std::string second = SavedAfterReading(written);
        if (second != SavedAfterReading(second)) std::abort();
    }
    std::istringstream again(text);
    mardex::ImportSheetDocument(s, again, "fuzz.mdx");
    CheckShape(s);
    return 0;
}
