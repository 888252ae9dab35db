#pragma once
// The sheet document reader on its own: bytes in, a Document or an error
// naming the file and the line out.
#include "model/Document.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace mardex {

// What the first line of a file says about it.
enum class DocumentLayout {
    Current,      // "[VERSION 2002]", or a first line beginning "00000"
    Legacy,       // "[VERSION 97.1]": rows of five fields
    NotADocument,
};
DocumentLayout LayoutOfFirstLine(const std::string& firstLine);
// The first line of `in`: only its beginning matters, so a huge first line
// (a file that is not a document) is not read whole.
std::string ReadFirstLine(std::istream& in);

inline const std::string NotCompatibleMessage = "FILE IS NOT COMPATIBLE WITH PRESENT VERSION OF THE PROGRAM.";

struct DocumentReadResult {
    std::optional<Document> document;  // empty when the file could not be read
    // Messages of the reading that did not stop it (rows with missing fields).
    std::vector<std::string> messages;
    // Why there is no document: names the file, and the line where one is known.
    std::string error;
    // False when the first line says the file is no sheet document.
    bool compatible = true;
    // The reader's count of lines of the last sheet (the grid scrolls by it).
    int lineCounter = 0;
};

DocumentReadResult ReadSheetDocument(std::istream& in, const std::string& name);
DocumentReadResult ReadSheetDocument(const std::string& path);

// Reading sheet by sheet: each sheet, in order, as soon as the document is
// done with it, with what the document has said so far (the description
// fields and the unit system read until then; no sheets). The sheet's memory
// is reused for the next once this returns. Must not throw.
using CompleteSheet = std::function<void(int index, Sheet& sheet, const Document& soFar)>;
// The result's document then holds no sheets; the rest is as above (an error
// after some sheets were handed over says the document is not to be used).
DocumentReadResult ReadSheetDocument(std::istream& in, const std::string& name, const CompleteSheet& complete);
DocumentReadResult ReadSheetDocument(const std::string& path, const CompleteSheet& complete);

} // namespace mardex
