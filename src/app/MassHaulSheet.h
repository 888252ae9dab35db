#pragma once
// The sheet the Mass Haul window draws: the current sheet of a sheet
// document, or, while a GEOPAK log is open, the first sheet of the companion
// document that Open wrote beside the log (the log's end areas).
#include "compute/MassCurve.h"

namespace mardex {

class Session;

// False, after the messages the report would show, when no mass rows could
// be computed.
bool MassHaulSheetOfCurrent(Session& s, MassSheet& sheet);

} // namespace mardex
