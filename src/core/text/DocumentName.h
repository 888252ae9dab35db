#pragma once
// Names that come from outside the program (other programs' files, file
// names, typed tab names) and end up on a line of a sheet document.
#include <string>
#include <string_view>

namespace mardex {

// The name as the document can keep it: line breaks, tabs and other control
// characters become blanks, and the brackets that mark a document's own
// lines ("[END AREA 1 Name]", "[LAST RECORD]") become parentheses, so a
// saved name reads back as the same name on the same line. Blanks at both
// ends are removed.
std::string DocumentName(std::string_view text);

} // namespace mardex
