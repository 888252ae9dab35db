#include "app/ImportDocument.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "formats/DocumentParser.h"
#include "app/DocumentReader.h"
#include "app/FileCommands.h"
#include "app/ForeignDocument.h"
#include "text/LineReader.h"
#include "text/NumberText.h"

#include <fstream>

namespace mardex {

int16_t ImportSheetDocument(Session& s, std::istream& in, const std::string& name)
{
    const bool changedBefore = s.doc.DataChanged;
    s.doc.DataChanged = true;
    int lineCounter = 0;
    const bool read = ParseDocument(s, in, name, ParseMode::Import, "Program Error: ", " occured in mnuGroupInsert", lineCounter);
    if (!read) {
        s.doc.DataChanged = changedBefore;  // nothing was added
        return 1;
    }
    ShowReadDocument(s, lineCounter, false);
    return 0;
}

int16_t ImportSheetDocument(Session& s)
{
    const std::string name = AcceptInputFilename(s, 0);
    if (IsForeignDocumentName(name)) {
        const auto read = ReadForeignDocument(s, name, s.doc.UnitSystem);
        return read ? AppendForeignDocument(s, *read, name) : 1;
    }
    if (ToUpper(Trim(name)).find(".MDX") == std::string::npos) return 1;
    if (CheckFileCompatibility(s, name) != 0) return 1;
    std::ifstream in(name, std::ios::binary);
    if (!in) return 1;
    return ImportSheetDocument(s, in, name);
}

} // namespace mardex
