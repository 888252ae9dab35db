// libFuzzer target: bytes imported as a CSV sheet or LandXML cross sections
// (by the first byte), then saved as a sheet document and read again, must
// give the same sheets; saved, read and saved again, the same bytes.
#include "app/DocumentReader.h"
#include "app/DocumentWriter.h"
#include "app/ForeignDocument.h"
#include "app/Prompter.h"
#include "app/Session.h"
#include "formats/LandXmlReader.h"
#include "formats/SheetCsv.h"
#include "text/NumberText.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

class QuietPrompter : public mardex::Prompter {
public:
    mardex::Answer Ask(const mardex::MessageBox& box) override
    {
        return box.buttons == mardex::Buttons::OK ? mardex::Answer::OK : mardex::Answer::No;
    }
    std::string Input(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFile(const mardex::FileDialogRequest&) override { return std::nullopt; }
};

// A factor may come back in its shortest form ("1.00" -> "1") on a sheet
// not shown: compared by value then.
void SameSheets(const mardex::Session& a, const mardex::Session& b, bool factorTexts)
{
    if (a.doc.SheetCount != b.doc.SheetCount || a.doc.UnitSystem != b.doc.UnitSystem ||
        a.doc.DescriptionFields != b.doc.DescriptionFields)
        std::abort();
    for (int i = 0; i < a.doc.SheetCount; ++i) {
        const mardex::Sheet& x = a.store[i];
        const mardex::Sheet& y = b.store[i];
        if (x.TabName != y.TabName || x.MeasuredInEmbankment != y.MeasuredInEmbankment) std::abort();
        if (factorTexts ? x.BalanceFactor != y.BalanceFactor
                        : mardex::ParseNumber(x.BalanceFactor) != mardex::ParseNumber(y.BalanceFactor))
            std::abort();
        for (int r = 0; r < mardex::RowSlots; ++r) {
            for (int c = 0; c < mardex::ColumnCount; ++c)
                if (x.Cell(c, r) != y.Cell(c, r)) std::abort();
            if (x.IsEndMarker(r)) break;
        }
    }
}

void ReadBack(mardex::Session& s, const std::string& saved)
{
    s.store[0].SetCell(mardex::ColStation, 0, "-1");
    std::istringstream in(saved);
    if (mardex::ReadFileVersion2002(s, in, "saved.mdx") != 0) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    std::optional<mardex::ImportedDocument> imported;
    if (data[0] & 1) {
        const auto read = mardex::ReadLandXml(bytes, "fuzz.xml");
        if (read) imported = read.document;
    } else {
        const auto read = mardex::ReadSheetCsv(bytes, "fuzz.csv", data[0] >> 7, "FUZZ");
        if (read) imported = read.document;
    }
    if (!imported) return 0;

    QuietPrompter ask;
    mardex::Session first(ask);
    mardex::ShowForeignDocument(first, *imported, "fuzz");
    const std::string saved = mardex::SheetDocumentText(first);

    mardex::Session second(ask);
    ReadBack(second, saved);
    SameSheets(first, second, false);
    // What was read, saved, read and saved again: the same sheets, the same bytes.
    const std::string again = mardex::SheetDocumentText(second);
    mardex::Session third(ask);
    ReadBack(third, again);
    SameSheets(second, third, true);
    if (mardex::SheetDocumentText(third) != again) std::abort();
    return 0;
}
