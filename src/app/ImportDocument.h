#pragma once
// Import MDX File: the sheets of another document become further tabs.
#include <cstdint>
#include <istream>
#include <string>

namespace mardex {

class Session;

// Asks for the document with the open dialog and appends its sheets.
// 0 when sheets were read; 1 when nothing was imported.
int16_t ImportSheetDocument(Session& s);
// The same for a document already chosen, from a stream (after the version
// check); `name` names it in messages.
int16_t ImportSheetDocument(Session& s, std::istream& in, const std::string& name);

} // namespace mardex
