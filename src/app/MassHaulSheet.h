#pragma once
// The sheet the Mass Haul window draws: the current sheet of a sheet
// document, or, while a GEOPAK log is open, the first sheet of the companion
// document that Open wrote beside the log (the log's end areas).
#include "compute/MassCurve.h"

#include <optional>
#include <string>

namespace mardex {

class Session;

// The mass rows of the current sheet from its Total report, computed as the
// report computes them. False, after the same message the report shows,
// when the computation faults.
bool ComputeMassSheet(Session& s, MassSheet& sheet);

// The same without any message (a window that follows the current sheet as
// it is edited): false with `why` when there are no rows to show.
bool QuietMassSheetOfCurrent(Session& s, MassSheet& sheet, std::string& why);

// False, after the messages the report would show, when no mass rows could
// be computed.
bool MassHaulSheetOfCurrent(Session& s, MassSheet& sheet);

// The companion document of a log, when the file beside it holds what this
// session wrote there from the log (a designer's own document of that name,
// or a companion changed since, is kept at Open and holds other rows);
// otherwise nullopt with `why`, naming the file.
std::optional<std::string> CompanionOfLog(const Session& s, const std::string& logPath, std::string& why);

} // namespace mardex
