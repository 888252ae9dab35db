#include "model/Document.h"

namespace mardex {

std::string TabCaption(const Sheet& sheet, int index)
{
    return sheet.TabName.empty() ? "Mardex " + std::to_string(index + 1) : sheet.TabName;
}

} // namespace mardex
