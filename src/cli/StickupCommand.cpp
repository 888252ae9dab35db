#include "cli/Commands.h"

#include <iostream>

namespace mardex::cli {

int RunStickup(const ToolOptions&)
{
    std::cerr << "mardex-report: this command is not available yet\n";
    return 1;
}

} // namespace mardex::cli
