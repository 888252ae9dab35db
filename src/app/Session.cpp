#include "app/Session.h"

#include "geopaklog/LogTables.h"

namespace mardex {

Session::Session(Prompter& prompter) : ask(prompter) {}
Session::~Session() = default;

LogTables& Session::logs()
{
    if (!logs_) logs_ = std::make_unique<LogTables>();
    return *logs_;
}

} // namespace mardex
